// What the benchmarks share: a monotonic clock and loading farelib4 from
// beside the benchmark program.
#ifndef FARELIB_BENCH_BENCH_UTIL_H
#define FARELIB_BENCH_BENCH_UTIL_H

#include <windows.h>

#include <cstdio>
#include <string>

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

// farelib4.dll from the benchmark program's folder, or null (with a message).
inline HMODULE LoadFarelib4() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string dll(path, n);
  dll = dll.substr(0, dll.find_last_of("\\/") + 1) + "farelib4.dll";
  HMODULE m = LoadLibraryA(dll.c_str());
  if (!m) std::fprintf(stderr, "cannot load %s\n", dll.c_str());
  return m;
}

template <class F>
F Export(HMODULE m, const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m, name)));
}

}  // namespace bench

#endif
