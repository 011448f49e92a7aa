// Per-call time of LenB_ASCII and MidB_ASCII on a fresh store and after the
// host has kept 1,000,000 text results; and what a kept string costs the
// process heap. Run under Wine: scripts/bench.
#include <windows.h>

#include "bench_util.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "support/library.h"

using LenBFn = int32_t(WINAPI*)(const char*);
using MidBFn = const char*(WINAPI*)(const char*, int32_t, int32_t);

namespace {

// Best of five runs, in nanoseconds per call.
template <class F>
double PerCall(int calls, F f) {
  double best = 1e30;
  for (int rep = 0; rep < 5; ++rep) {
    double t0 = bench::Now();
    for (int i = 0; i < calls; ++i) f();
    best = std::min(best, (bench::Now() - t0) * 1e9 / calls);
  }
  return best;
}

}  // namespace

int main() {
  HMODULE m = support::LoadBeside("farelib4.dll");
  if (!m) return 1;
  auto lenb = support::Export<LenBFn>(m, "LenB_ASCII");
  auto midb = support::Export<MidBFn>(m, "MidB_ASCII");
  const char* text = "\x89\x5e\x92\xc0 ABCDE";  // "運賃 ABCDE"
  volatile int32_t sink = 0;

  constexpr int kLenCalls = 1000000, kMidCalls = 100000, kKept = 1000000;
  int start = 0;  // MidB_ASCII cuts from positions 1 to 8 in turn
  auto len_call = [&] { sink = sink + lenb(text); };
  auto mid_call = [&] { sink = sink + midb(text, 1 + start++ % 8, 3)[0]; };
  double len_empty = PerCall(kLenCalls, len_call);
  double mid_empty = PerCall(kMidCalls, mid_call);

  uint64_t before = bench::HeapBytesInUse();
  for (int i = 0; i < kKept; ++i) sink = sink + midb("ABCDE", 1, 0)[0];  // 5-byte strings the host keeps
  uint64_t after = bench::HeapBytesInUse();

  double len_full = PerCall(kLenCalls, len_call);
  double mid_full = PerCall(kMidCalls, mid_call);

  std::printf("                      fresh store   after 1,000,000 kept   ratio\n");
  std::printf("LenB_ASCII per call  %9.1f ns   %14.1f ns   %8.2f\n", len_empty, len_full, len_full / len_empty);
  std::printf("MidB_ASCII per call  %9.1f ns   %14.1f ns   %8.2f\n", mid_empty, mid_full, mid_full / mid_empty);

  // What the heap itself charges for a 10-byte block, for comparison.
  std::vector<void*> raw(kKept);
  uint64_t raw_before = bench::HeapBytesInUse();
  for (auto& p : raw) p = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, 10);
  uint64_t raw_after = bench::HeapBytesInUse();
  for (void* p : raw) HeapFree(GetProcessHeap(), 0, p);

  double per_string = static_cast<double>(after - before) / kKept;
  double per_block = static_cast<double>(raw_after - raw_before) / kKept;
  std::printf("heap growth per kept 5-byte string: %.1f bytes; a bare 10-byte heap block: %.1f bytes;\n"
              "  the difference, the string's list slot (%d bytes) and its share of the list's spare room: %.1f bytes\n",
              per_string, per_block, static_cast<int>(sizeof(void*)), per_string - per_block);
  return 0;
}
