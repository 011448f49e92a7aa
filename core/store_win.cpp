#include "core/store_win.h"

namespace farelib {

HMODULE g_module;
StringStore g_strings;

namespace {

// A list's lock, on a cache line of its own. A list's lock is held for a few
// dozen instructions; a thread that finds it taken spins that long before it
// sleeps in the kernel.
struct alignas(64) StripeLock {
  CRITICAL_SECTION cs;
};
constexpr DWORD kSpinCount = 1000;

HANDLE g_heap;
StripeLock g_locks[StringStore::kStripes];

void* AllocZeroed(void*, std::size_t bytes) { return HeapAlloc(g_heap, HEAP_ZERO_MEMORY, bytes); }
void FreeBlock(void*, void* block) { HeapFree(g_heap, 0, block); }
void Lock(void*, int stripe) { EnterCriticalSection(&g_locks[stripe].cs); }
void Unlock(void*, int stripe) { LeaveCriticalSection(&g_locks[stripe].cs); }
void DebugOutput(void*, const char* text) { OutputDebugStringA(text); }

}  // namespace

void AttachStringStore() {
  for (StripeLock& l : g_locks) InitializeCriticalSectionAndSpinCount(&l.cs, kSpinCount);
  g_heap = GetProcessHeap();
  g_strings.Attach(StoreHost{nullptr, AllocZeroed, FreeBlock, Lock, Unlock, DebugOutput});
}

char* CopyHostText(const char* text) { return g_strings.CreateCopy(text, lstrlenA(text)); }

}  // namespace farelib
