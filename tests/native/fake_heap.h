// A heap for the string store that a test can make fail, and a store over it
// that gives every block back when it ends, so that LeakSanitizer sees only
// real leaks and a block left over is reported.
//
// The heap does not depend on a test framework: every misuse it sees (a block
// freed twice or never handed out, the lock taken twice, debugger output under
// the lock, blocks left at the end) goes to fltest::HeapFault, which each
// program defines once: the unit tests record a failure of the running test
// (fake_heap_gtest.cpp), the fuzz targets stop with a report.
#ifndef FARELIB_TESTS_NATIVE_FAKE_HEAP_H
#define FARELIB_TESTS_NATIVE_FAKE_HEAP_H

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "core/string_store.h"

namespace fltest {

// Reports a misuse of the fake heap; defined once per program.
void HeapFault(const std::string& what);

struct FakeHeap {
  int allocs_left = -1;  // allocations that still succeed; -1: never fail
  int resizes_left = -1;
  // Counts allocations and resizes together, from 1. The one numbered
  // fail_only fails and those after it succeed again; those from fail_from
  // on all fail. 0: none. Besides, bit k of fail_pattern fails the k-th
  // request from now (k from 0), whatever the budgets say.
  int requests = 0;
  int fail_only = 0;
  int fail_from = 0;
  std::uint64_t fail_pattern = 0;
  bool FailsNext() {
    ++requests;
    const bool by_pattern = (fail_pattern & 1u) != 0;
    fail_pattern >>= 1;
    return by_pattern || requests == fail_only || (fail_from > 0 && requests >= fail_from);
  }
  int lock_depth = 0;
  std::set<void*> blocks;  // handed out and not yet freed
  std::vector<std::string> messages;

  void Free(void* block) {
    if (blocks.erase(block) != 1u) HeapFault("a block the heap did not hand out, or freed twice");
    std::free(block);
  }
};

inline farelib::StoreHost HostFor(FakeHeap* heap) {
  farelib::StoreHost h{};
  h.ctx = heap;
  h.alloc_zeroed = [](void* c, std::size_t n) -> void* {
    auto* f = static_cast<FakeHeap*>(c);
    if (f->FailsNext() || f->allocs_left == 0) return nullptr;
    if (f->allocs_left > 0) --f->allocs_left;
    void* block = std::calloc(1, n);
    f->blocks.insert(block);
    return block;
  };
  h.resize = [](void* c, void* p, std::size_t n) -> void* {
    auto* f = static_cast<FakeHeap*>(c);
    if (f->FailsNext() || f->resizes_left == 0) return nullptr;
    if (f->resizes_left > 0) --f->resizes_left;
    void* block = std::realloc(p, n);
    f->blocks.erase(p);
    f->blocks.insert(block);
    return block;
  };
  h.free_block = [](void* c, void* p) { static_cast<FakeHeap*>(c)->Free(p); };
  h.lock = [](void* c) {
    if (++static_cast<FakeHeap*>(c)->lock_depth != 1) HeapFault("lock taken twice");
  };
  h.unlock = [](void* c) { --static_cast<FakeHeap*>(c)->lock_depth; };
  h.debug_output = [](void* c, const char* t) {
    auto* f = static_cast<FakeHeap*>(c);
    if (f->lock_depth != 0) HeapFault("debug output under the lock");
    f->messages.emplace_back(t);
  };
  return h;
}

// A string store attached to its own FakeHeap, which lets `attach_allocs`
// allocations through at Attach (-1: all). When it ends it releases the
// strings still live, frees the list and the shared empty string, and
// reports any other block left.
struct HeapStore {
  explicit HeapStore(int attach_allocs = -1) {
    heap.allocs_left = attach_allocs;
    attached = store.Attach(HostFor(&heap));
    heap.allocs_left = -1;
  }
  ~HeapStore() {
    heap.allocs_left = heap.resizes_left = -1;
    heap.fail_only = heap.fail_from = 0;
    heap.fail_pattern = 0;
    while (store.LiveCount() > 0) store.Release(store.Items()[store.LiveCount() - 1]);
    if (store.Items() != nullptr) heap.Free(const_cast<char**>(store.Items()));
    if (heap.blocks.count(store.FallbackEmpty() - 4) != 0) heap.Free(store.FallbackEmpty() - 4);
    if (!heap.blocks.empty())
      HeapFault(std::to_string(heap.blocks.size()) + " blocks left besides the list and the shared empty string");
    for (void* block : heap.blocks) std::free(block);
  }
  std::vector<char*> Live() const { return {store.Items(), store.Items() + store.LiveCount()}; }

  FakeHeap heap;
  farelib::StringStore store{};
  bool attached = false;
};

}  // namespace fltest

#endif
