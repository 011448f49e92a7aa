// Total throughput when 1, 2, 4 and 8 threads call at once: LenB_ASCII,
// MidB_ASCII, and the heap alone doing what MidB_ASCII asks of it, one
// zero-filled block of the result's size per call, kept as MidB_ASCII's
// results are. (Blocks freed as soon as they are made would measure another
// path of the heap: one warm block per thread, used again and again.)
// MidB_ASCII's runs and the heap's alternate, so both meet the heap in the
// same state. A fixed number of calls is split among the threads, which
// start together on an event; the time runs until the last has finished.
// Prints "key value" figures for bench/report.py:
// threads.<lenb|midb|heap>.<threads> in million calls per second, the best
// of kReps.
#include <windows.h>

#include <vector>

#include "bench_util.h"

namespace {

constexpr int kThreadCounts[] = {1, 2, 4, 8};
constexpr int kReps = 3;
// MidB_ASCII's results and the heap's blocks are kept for the life of the
// process, so their runs are shorter: 4 counts x kReps x 400,000 keeps 4.8
// million strings and as many blocks.
constexpr int kLenCalls = 20000000, kMidCalls = 400000;
constexpr const char kText[] = "\x89\x5e\x92\xc0 ABCDE";  // "運賃 ABCDE"
constexpr int kCut = 3;                                   // MidB_ASCII cuts 3 bytes

enum class Job { kLenB, kMidB, kHeap };

struct Work {
  HANDLE go;
  int calls;  // per thread
  Job job;
  decltype(&::LenB_ASCII) lenb;
  decltype(&::MidB_ASCII) midb;
};

DWORD WINAPI Worker(void* arg) {
  const Work& w = *static_cast<const Work*>(arg);
  WaitForSingleObject(w.go, INFINITE);
  int32_t sink = 0;
  switch (w.job) {
    case Job::kLenB:
      for (int i = 0; i < w.calls; ++i) sink += w.lenb(kText);
      break;
    case Job::kMidB:
      for (int i = 0; i < w.calls; ++i) sink += w.midb(kText, 1 + i % 7, kCut)[0];
      break;
    case Job::kHeap: {
      HANDLE heap = GetProcessHeap();
      for (int i = 0; i < w.calls; ++i) sink += HeapAlloc(heap, HEAP_ZERO_MEMORY, kCut + 5) != nullptr;
      break;
    }
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

  for (int threads : kThreadCounts) {
    double best = -1;
    work.job = Job::kLenB;
    for (int r = 0; r < kReps; ++r) best = std::max(best, Throughput(work, threads, kLenCalls));
    if (best < 0) return bench::Fail("the threads could not be started");
    bench::Figure(best, "threads.lenb.%d", threads);
  }
  for (int threads : kThreadCounts) {
    double best_mid = -1, best_heap = -1;
    for (int r = 0; r < kReps; ++r) {
      work.job = Job::kMidB;
      best_mid = std::max(best_mid, Throughput(work, threads, kMidCalls));
      work.job = Job::kHeap;
      best_heap = std::max(best_heap, Throughput(work, threads, kMidCalls));
    }
    if (best_mid < 0 || best_heap < 0) return bench::Fail("the threads could not be started");
    bench::Figure(best_mid, "threads.midb.%d", threads);
    bench::Figure(best_heap, "threads.heap.%d", threads);
  }
  return 0;
}
