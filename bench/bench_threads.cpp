// Total LenB_ASCII and MidB_ASCII throughput when 1, 2, 4 and 8 threads call
// at once and share the store's lock. A fixed number of calls is split among
// the threads, which start together on an event; the time runs until the
// last has finished. Prints "key value" figures for bench/report.py:
// threads.<lenb|midb>.<threads> in million calls per second, the best of
// kReps.
#include <windows.h>

#include <vector>

#include "bench_util.h"

namespace {

constexpr int kThreadCounts[] = {1, 2, 4, 8};
constexpr int kReps = 3;
// MidB_ASCII's results are kept for the life of the process, so its runs
// are shorter: 4 counts x kReps x 200,000 keeps 2.4 million strings.
constexpr int kLenCalls = 2000000, kMidCalls = 200000;

struct Work {
  HANDLE go;
  int calls;
  bool mid;
  decltype(&::LenB_ASCII) lenb;
  decltype(&::MidB_ASCII) midb;
};

DWORD WINAPI Worker(void* arg) {
  const Work& w = *static_cast<const Work*>(arg);
  WaitForSingleObject(w.go, INFINITE);
  int32_t sink = 0;
  if (w.mid) {
    for (int i = 0; i < w.calls; ++i) sink += w.midb("\x89\x5e\x92\xc0 ABCDE", 1 + i % 7, 3)[0];
  } else {
    for (int i = 0; i < w.calls; ++i) sink += w.lenb("\x89\x5e\x92\xc0 ABCDE");
  }
  return static_cast<DWORD>(sink);
}

// Million calls per second with `threads` threads; negative on failure.
double Throughput(Work work, int threads, int total) {
  work.calls = total / threads;
  work.go = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!work.go) return -1;
  std::vector<HANDLE> handles;
  for (int i = 0; i < threads; ++i)
    if (HANDLE h = CreateThread(nullptr, 0, Worker, &work, 0, nullptr)) handles.push_back(h);
  double rate = -1;
  if (static_cast<int>(handles.size()) == threads) {
    Sleep(20);  // let every thread reach the event
    double t0 = bench::Now();
    SetEvent(work.go);
    WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), TRUE, INFINITE);
    rate = work.calls * threads / (bench::Now() - t0) / 1e6;
  } else {
    SetEvent(work.go);
    WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), TRUE, INFINITE);
  }
  for (HANDLE h : handles) CloseHandle(h);
  CloseHandle(work.go);
  return rate;
}

}  // namespace

int main() {
  support::Farelib farelib;
  if (!farelib.LoadBeside("farelib4.dll")) return bench::Fail("farelib4.dll did not load");
  Work work{};
  work.lenb = farelib.LenB_ASCII;
  work.midb = farelib.MidB_ASCII;
  if (!work.lenb || !work.midb) return bench::Fail("LenB_ASCII or MidB_ASCII missing");

  for (bool mid : {false, true}) {
    work.mid = mid;
    for (int threads : kThreadCounts) {
      double best = -1;
      for (int r = 0; r < kReps; ++r) best = std::max(best, Throughput(work, threads, mid ? kMidCalls : kLenCalls));
      if (best < 0) return bench::Fail("the threads could not be started");
      bench::Figure(best, "threads.%s.%d", mid ? "midb" : "lenb", threads);
    }
  }
  return 0;
}
