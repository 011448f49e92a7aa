// The string store under load: the cost of a LenB_ASCII and a MidB_ASCII
// call as the host keeps more and more strings, against the floor of what
// each must do (lstrlenA of the text; one registered string of the result's
// length); the memory a kept string costs; and what one step of a linear
// search through the store's list costs, from which report.py draws the line
// a store with a linear release search would follow.
// Prints "key value" figures for bench/report.py.
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "bench_util.h"

namespace {

// A 9-byte host text: "運賃 ABCDE" in code page 932.
constexpr const char kText[] = "\x89\x5e\x92\xc0 ABCDE";

// The least MidB_ASCII can do: one registered string of the result's length,
// a zero-filled heap block holding a 32-bit length and the bytes, listed
// under a lock.
class FloorStore {
 public:
  FloorStore() {
    InitializeCriticalSection(&lock_);
    list_.reserve(1 << 20);
  }
  ~FloorStore() {
    for (char* p : list_) HeapFree(GetProcessHeap(), 0, p - 4);
    DeleteCriticalSection(&lock_);
  }

  const char* Copy(const char* bytes, int32_t n) {
    char* block = static_cast<char*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, n + 5));
    if (!block) return "";
    std::memcpy(block, &n, 4);
    std::memcpy(block + 4, bytes, n);
    EnterCriticalSection(&lock_);
    list_.push_back(block + 4);
    LeaveCriticalSection(&lock_);
    return block + 4;
  }

 private:
  CRITICAL_SECTION lock_;
  std::vector<char*> list_;
};

constexpr int kLenCalls = 200000, kMidCalls = 2000, kReps = 5, kFloorReps = 10;

}  // namespace

int main() {
  support::Farelib farelib;
  if (!farelib.LoadBeside("farelib4.dll")) return bench::Fail("farelib4.dll did not load");
  auto lenb = farelib.LenB_ASCII;
  auto midb = farelib.MidB_ASCII;
  if (!lenb || !midb) return bench::Fail("LenB_ASCII or MidB_ASCII missing");

  volatile int32_t sink = 0;
  int start = 0;  // MidB_ASCII cuts 3 bytes from positions 1 to 7 in turn
  auto len_call = [&] { sink = sink + lenb(kText); };
  auto mid_call = [&] { sink = sink + midb(kText, 1 + start++ % 7, 3)[0]; };

  // Cost per call at each number of strings the host keeps. The MidB_ASCII
  // measurement keeps its own results too (kMidCalls * kReps at each step),
  // so every step's count is the strings kept when it began.
  int64_t kept = 0;
  const int64_t steps[] = {0, 1000, 10000, 100000, 1000000};
  unsigned long long heap_before = 0, heap_after = 0;
  int64_t kept_before = 0;
  for (int64_t target : steps) {
    if (target == steps[4]) {
      heap_before = bench::HeapBytesInUse();
      kept_before = kept;
    }
    for (; kept < target; ++kept) sink = sink + midb("ABCDE", 1, 0)[0];  // 5-byte strings the host keeps
    if (target == steps[4]) heap_after = bench::HeapBytesInUse();
    const long long at = target;
    bench::Figure(bench::BestPerCall(kLenCalls, kReps, len_call) * 1e9, "store.lenb.ns.%lld", at);
    bench::Figure(bench::BestPerCall(kMidCalls, kReps, mid_call) * 1e9, "store.midb.ns.%lld", at);
    kept += kMidCalls * kReps;
  }

  // Memory: what the last step's kept strings added to the heap, per string,
  // against bare 10-byte blocks (4 length bytes, 5 text bytes, the NUL).
  const int64_t added = steps[4] - kept_before;
  bench::Figure(static_cast<double>(heap_after - heap_before) / static_cast<double>(added), "store.mem.string");
  {
    std::vector<void*> raw(static_cast<size_t>(added));
    unsigned long long before = bench::HeapBytesInUse();
    for (auto& p : raw) p = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, 10);
    unsigned long long after = bench::HeapBytesInUse();
    for (void* p : raw) HeapFree(GetProcessHeap(), 0, p);
    bench::Figure(static_cast<double>(after - before) / static_cast<double>(added), "store.mem.block");
  }
  bench::Figure(sizeof(void*), "store.mem.slot");

  // The floors, each timed in batches that take turns with the call's own.
  // lstrlenA is called through a pointer, as the DLL calls its import.
  {
    auto volatile length = &lstrlenA;
    auto floor_len = [&] { sink = sink + length(kText); };
    const auto [len, bare] = bench::BestPerCallInTurn(kLenCalls, kFloorReps, len_call, floor_len);
    bench::Figure(len * 1e9, "store.lenb.in_turn_ns");
    bench::Figure(bare * 1e9, "store.lenb.lstrlena_ns");
    // One registered string, with as many kept: a million in its own list.
    FloorStore floor;
    for (int i = 0; i < 1000000; ++i) floor.Copy("ABCDE", 5);
    int fstart = 0;
    auto floor_mid = [&] { sink = sink + floor.Copy(kText + fstart++ % 7, 3)[0]; };
    const auto [mid, one] = bench::BestPerCallInTurn(kMidCalls, kFloorReps, mid_call, floor_mid);
    bench::Figure(mid * 1e9, "store.midb.in_turn_ns");
    bench::Figure(one * 1e9, "store.midb.one_string_ns");
  }

  // One step of a search from the oldest entry: a pass over a million-entry
  // list for a pointer it does not hold, per entry.
  {
    std::vector<const char*> list(1000000);
    for (size_t i = 0; i < list.size(); ++i) list[i] = kText + (i & 7);
    const char* volatile wanted = nullptr;
    double per_pass = bench::BestPerCall(1, kReps, [&] {
      const char* w = wanted;
      for (const char* p : list)
        if (p == w) {
          sink = sink + 1;
          break;
        }
    });
    bench::Figure(per_pass * 1e9 / static_cast<double>(list.size()), "store.scan_ns_per_entry");
  }
  return 0;
}
