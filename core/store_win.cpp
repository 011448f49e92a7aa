#include "core/store_win.h"

namespace farelib {

HMODULE g_module;
StringStore g_strings;

namespace {

HeapLock g_heap_lock;

HeapLock& Ctx(void* ctx) { return *static_cast<HeapLock*>(ctx); }
void* AllocZeroed(void* ctx, std::size_t bytes) { return HeapAlloc(Ctx(ctx).heap, HEAP_ZERO_MEMORY, bytes); }
void* Resize(void* ctx, void* block, std::size_t bytes) { return HeapReAlloc(Ctx(ctx).heap, 0, block, bytes); }
void FreeBlock(void* ctx, void* block) { HeapFree(Ctx(ctx).heap, 0, block); }
void Lock(void* ctx) { EnterCriticalSection(&Ctx(ctx).cs); }
void Unlock(void* ctx) { LeaveCriticalSection(&Ctx(ctx).cs); }
void DebugOutput(void*, const char* text) { OutputDebugStringA(text); }

}  // namespace

StoreHost WindowsStoreHost(HeapLock* ctx) {
  return StoreHost{ctx, AllocZeroed, Resize, FreeBlock, Lock, Unlock, DebugOutput};
}

void AttachStringStore() {
  InitializeCriticalSection(&g_heap_lock.cs);
  g_heap_lock.heap = GetProcessHeap();
  g_strings.Attach(WindowsStoreHost(&g_heap_lock));
}

char* CopyHostText(const char* text) { return g_strings.CreateCopy(text, lstrlenA(text)); }

}  // namespace farelib
