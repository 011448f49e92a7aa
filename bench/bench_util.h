// What every benchmark uses: the clock, and the heap's bytes in use. They load
// farelib4 from beside themselves with support/library.h, as the tests do.
#ifndef FARELIB_BENCH_BENCH_UTIL_H
#define FARELIB_BENCH_BENCH_UTIL_H

#include <windows.h>

namespace bench {

// Seconds on the performance counter.
inline double Now() {
  static LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

// Bytes of the process heap in use: busy blocks with their overhead.
inline unsigned long long HeapBytesInUse() {
  HANDLE heap = GetProcessHeap();
  PROCESS_HEAP_ENTRY e{};
  unsigned long long total = 0;
  HeapLock(heap);
  while (HeapWalk(heap, &e))
    if (e.wFlags & PROCESS_HEAP_ENTRY_BUSY) total += e.cbData + e.cbOverhead;
  HeapUnlock(heap);
  return total;
}

}  // namespace bench

#endif
