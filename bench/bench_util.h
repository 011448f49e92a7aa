// The benchmarks' clock. They load farelib4 from beside themselves with
// support/library.h, as the tests do.
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

}  // namespace bench

#endif
