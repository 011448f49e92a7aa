#include "core/store_win.h"

namespace farelib {

HMODULE g_module;
StringStore g_strings;

namespace {

// A list's lock: one word, on a cache line of its own, taken with an atomic
// exchange and given back with a plain store. A list is held for a few dozen
// instructions (longer only while a release searches far back through it),
// so a thread that finds it taken waits on the spot a little, then lets
// other threads on its processor run, and should the holder still not have
// let go (it may wait for a processor that this thread keeps busy, or run
// at a lower priority), sleeps a millisecond at a time. Uncontended, a
// lock and unlock cost one locked instruction, where a critical section's
// pair costs two calls into the system and their bookkeeping, about as much
// again as the rest of a MidB_ASCII call.
struct alignas(64) StripeLock {
  volatile LONG held;
};
constexpr unsigned kPauses = 64, kYields = 128;

HANDLE g_heap;
StripeLock g_locks[StringStore::kStripes];

void* AllocZeroed(void*, std::size_t bytes) { return HeapAlloc(g_heap, HEAP_ZERO_MEMORY, bytes); }
void FreeBlock(void*, void* block) { HeapFree(g_heap, 0, block); }
void Lock(void*, int stripe) {
  volatile LONG& held = g_locks[stripe].held;
  if (InterlockedExchange(&held, 1) == 0) return;
  for (unsigned round = 0;; ++round) {
    if (held == 0 && InterlockedExchange(&held, 1) == 0) return;
    if (round < kPauses)
      YieldProcessor();
    else if (round < kYields)
      SwitchToThread();
    else
      Sleep(1);
  }
}
void Unlock(void*, int stripe) { __atomic_store_n(&g_locks[stripe].held, 0, __ATOMIC_RELEASE); }
void DebugOutput(void*, const char* text) { OutputDebugStringA(text); }

}  // namespace

void AttachStringStore() {
  g_heap = GetProcessHeap();
  g_strings.Attach(StoreHost{nullptr, AllocZeroed, FreeBlock, Lock, Unlock, DebugOutput});
}

char* CopyHostText(const char* text) { return g_strings.CreateCopy(text, lstrlenA(text)); }

}  // namespace farelib
