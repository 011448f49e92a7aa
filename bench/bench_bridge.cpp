// The plug-in bridge per call, against what the host would spend doing the
// same itself: LoadLibraryA, GetProcAddress, the call and FreeLibrary of the
// sample plug-in. And start-up: from LoadLibraryA of each DLL to the result
// of its first export, in load/free cycles within this process (each cycle
// loads the DLL afresh: nothing else holds it). Prints "key value" figures
// for bench/report.py, in microseconds.
#include <windows.h>

#include <string>

#include "bench_util.h"

namespace {

// Start-up: batches of about 0.1 s (at most kMostCalls calls), the best of
// kReps. The bridge and its floor: about kPairedSeconds of each (at most
// kMostPairs calls), in pairs.
constexpr int kMostCalls = 500, kReps = 5, kMostPairs = 2000;
constexpr double kBatchSeconds = 0.1, kPairedSeconds = 1.5;

// One load/free cycle of `path`, calling LenB_ASCII once; false if either
// step failed.
bool StartUpCycle(const char* path) {
  HMODULE m = LoadLibraryA(path);
  if (!m) return false;
  // A fresh load is what is timed: one look-up, not the whole table's.
  auto lenb = reinterpret_cast<decltype(support::Farelib::LenB_ASCII)>(
      reinterpret_cast<void*>(GetProcAddress(m, "LenB_ASCII")));
  bool ok = lenb && lenb("ABC") == 3;
  FreeLibrary(m);
  return ok;
}

}  // namespace

int main() {
  const std::string plugin = support::BesideProgram("sample_plugin.dll");
  volatile int32_t sink = 0;

  // Start-up first, while neither DLL is loaded.
  for (const char* dll : {"farelib4.dll", "farelib3.dll"}) {
    const std::string path = support::BesideProgram(dll);
    if (GetModuleHandleA(path.c_str())) return bench::Fail("a DLL is loaded already");
    bool ok = true;
    auto cycle = [&] { ok = StartUpCycle(path.c_str()) && ok; };
    double t = bench::BestPerCall(bench::BatchFor(kBatchSeconds, kMostCalls, cycle), kReps, cycle);
    if (!ok) return bench::Fail("a load/free cycle failed");
    bench::Figure(t * 1e6, "startup.%s.us", dll);
  }

  support::Farelib farelib;
  if (!farelib.LoadBeside("farelib4.dll")) return bench::Fail("farelib4.dll did not load");
  auto set_comment = farelib.ZE4_SetPlgComment;
  if (!set_comment) return bench::Fail("ZE4_SetPlgComment missing");
  if (set_comment(plugin.c_str(), 1) != 1) return bench::Fail("the bridge did not call the sample plug-in");
  if (GetModuleHandleA(plugin.c_str())) return bench::Fail("the plug-in stayed loaded");

  auto by_hand = [&] {
    HMODULE p = LoadLibraryA(plugin.c_str());
    if (!p) return;
    if (auto f = reinterpret_cast<SetPlgCommentProc>(reinterpret_cast<void*>(GetProcAddress(p, "SetPlgComment")))) sink = sink + f(1);
    FreeLibrary(p);
  };
  auto bridged = [&] { sink = sink + set_comment(plugin.c_str(), 1); };
  const int calls = bench::BatchFor(kPairedSeconds, kMostPairs, bridged);
  const auto [bridge, floor] = bench::MeanPerCallInPairs(calls, bridged, by_hand);
  bench::Figure(bridge * 1e6, "bridge.us");
  bench::Figure(floor * 1e6, "bridge.floor_us");
  return 0;
}
