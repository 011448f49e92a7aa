// What every benchmark uses: the clock, the heap's bytes in use, the figures
// they print for bench/report.py, and timing a batch of calls. They load
// farelib4 from beside themselves through support/farelib_loader.h.
#ifndef FARELIB_BENCH_BENCH_UTIL_H
#define FARELIB_BENCH_BENCH_UTIL_H

#include <windows.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <utility>

#include "farelib.h"
#include "support/farelib_loader.h"
#include "support/library.h"

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


// One figure for bench/report.py: "key value", one a line, the key made
// from a printf format. The keys are dotted names that report.py knows; a
// figure that could not be taken is left out, and the report shows it as
// missing.
__attribute__((format(printf, 2, 3))) inline void Figure(double value, const char* key_format, ...) {
  va_list args;
  va_start(args, key_format);
  std::vprintf(key_format, args);
  va_end(args);
  std::printf(" %.6g\n", value);
  std::fflush(stdout);
}

// Why a benchmark could not run, on standard error; returns the exit code.
inline int Fail(const char* what) {
  std::fprintf(stderr, "bench: %s\n", what);
  return 1;
}

// Seconds per call of `f`, the best of `reps` batches of `calls` calls:
// the best batch is the one least disturbed by the rest of the machine.
template <class F>
double BestPerCall(int calls, int reps, F&& f) {
  double best = 1e30;
  for (int r = 0; r < reps; ++r) {
    double t0 = Now();
    for (int i = 0; i < calls; ++i) f();
    best = std::min(best, (Now() - t0) / calls);
  }
  return best;
}

// Seconds per call of `f` and of `g`, each the best of `reps` batches of
// `calls` calls, their batches taken in turn: a call and its floor meet the
// same moments of a busy machine, and the heap in the same state.
template <class F, class G>
std::pair<double, double> BestPerCallInTurn(int calls, int reps, F&& f, G&& g) {
  double best_f = 1e30, best_g = 1e30;
  for (int r = 0; r < reps; ++r) {
    best_f = std::min(best_f, BestPerCall(calls, 1, f));
    best_g = std::min(best_g, BestPerCall(calls, 1, g));
  }
  return {best_f, best_g};
}

// Seconds per call of `f` and of `g`, the mean of `calls` calls of each,
// the two called one after the other, by turns first: for calls slow enough
// to be timed one by one whose cost jumps from call to call. Under Wine a
// DLL's load and free takes about 0.2 ms or about 1.2 ms, one call fast and
// the next slow, so the best of a few batches measures how many fast calls a
// batch happened to get; over many calls taken in pairs, both meet the same
// mix.
template <class F, class G>
std::pair<double, double> MeanPerCallInPairs(int calls, F&& f, G&& g) {
  double total_f = 0, total_g = 0;
  for (int i = 0; i < calls; ++i) {
    for (int k = 0; k < 2; ++k) {
      const bool f_now = (i + k) % 2 == 0;
      const double t0 = Now();
      if (f_now) f(); else g();
      (f_now ? total_f : total_g) += Now() - t0;
    }
  }
  return {total_f / calls, total_g / calls};
}

// How many calls of `f` make a batch of about `seconds`, from one timed
// call, between 3 and `most`: slow calls (a DLL loaded and freed each time)
// get short batches, so a run stays short on a slow or loaded machine.
template <class F>
int BatchFor(double seconds, int most, F&& f) {
  double t0 = Now();
  f();
  double one = Now() - t0;
  return one * most <= seconds ? most : std::max(3, static_cast<int>(seconds / one));
}

}  // namespace bench

#endif
