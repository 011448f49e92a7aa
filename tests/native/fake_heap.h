// A heap for the string store that a test can make fail, and a store over it
// that gives every block back when it ends, so that LeakSanitizer sees only
// real leaks and a block left over is reported.
//
// The heap does not depend on a test framework: every misuse it sees (a block
// freed twice or never handed out, a second lock taken while one is held, a
// lock released that is not held, a heap call or debugger output under a
// lock, blocks left at the end) goes to fltest::HeapFault, which each
// program defines once: the unit tests record a failure of the running test
// (fake_heap_gtest.cpp), the fuzz targets stop with a report.
#ifndef FARELIB_TESTS_NATIVE_FAKE_HEAP_H
#define FARELIB_TESTS_NATIVE_FAKE_HEAP_H

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "core/string_store.h"

namespace fltest {

// Reports a misuse of the fake heap; defined once per program.
void HeapFault(const std::string& what);

struct FakeHeap {
  int allocs_left = -1;  // allocations that still succeed; -1: never fail
  // Counts allocations from 1. The one numbered fail_only fails and those
  // after it succeed again; those from fail_from on all fail. 0: none.
  // Besides, bit k of fail_pattern fails the k-th request from now (k from
  // 0), whatever the budgets say.
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
  // Called with the size of each allocation before it is made, as another
  // thread could act while the store waits for the heap. Unset: nothing.
  std::function<void(std::size_t)> before_alloc;
  int locked = -1;  // the list whose lock is held, or -1
  std::set<void*> blocks;  // handed out and not yet freed
  void* last = nullptr;    // the block last handed out
  std::vector<std::string> messages;

  void Free(void* block) {
    if (locked >= 0) HeapFault("heap call under a lock");
    if (blocks.erase(block) != 1u) HeapFault("a block the heap did not hand out, or freed twice");
    std::free(block);
  }
};

inline farelib::StoreHost HostFor(FakeHeap* heap) {
  farelib::StoreHost h{};
  h.ctx = heap;
  h.alloc_zeroed = [](void* c, std::size_t n) -> void* {
    auto* f = static_cast<FakeHeap*>(c);
    if (f->locked >= 0) HeapFault("heap call under a lock");
    if (f->before_alloc) f->before_alloc(n);
    if (f->FailsNext() || f->allocs_left == 0) return nullptr;
    if (f->allocs_left > 0) --f->allocs_left;
    void* block = std::calloc(1, n);
    f->blocks.insert(block);
    f->last = block;
    return block;
  };
  h.free_block = [](void* c, void* p) { static_cast<FakeHeap*>(c)->Free(p); };
  h.lock = [](void* c, int stripe) {
    auto* f = static_cast<FakeHeap*>(c);
    if (stripe < 0 || stripe >= farelib::StringStore::kStripes) HeapFault("no such lock");
    if (f->locked >= 0) HeapFault("a second lock taken");
    f->locked = stripe;
  };
  h.unlock = [](void* c, int stripe) {
    auto* f = static_cast<FakeHeap*>(c);
    if (f->locked != stripe) HeapFault("a lock released that is not held");
    f->locked = -1;
  };
  h.debug_output = [](void* c, const char* t) {
    auto* f = static_cast<FakeHeap*>(c);
    if (f->locked >= 0) HeapFault("debug output under a lock");
    f->messages.emplace_back(t);
  };
  return h;
}

// A string store attached to its own FakeHeap, which lets `attach_allocs`
// allocations through at Attach (-1: all). When it ends it releases the
// strings still live, frees the lists and the shared empty string, and
// reports any other block left.
struct HeapStore {
  explicit HeapStore(int attach_allocs = -1) {
    heap.allocs_left = attach_allocs;
    store.Attach(HostFor(&heap));
    heap.allocs_left = -1;
  }
  ~HeapStore() {
    heap.allocs_left = -1;
    heap.fail_only = heap.fail_from = 0;
    heap.fail_pattern = 0;
    heap.before_alloc = nullptr;
    for (char* text : Live()) store.Release(text);
    for (int i = 0; i < farelib::StringStore::kStripes; ++i)
      if (store.StripeItems(i) != nullptr) heap.Free(const_cast<char**>(store.StripeItems(i)));
    if (heap.blocks.count(store.FallbackEmpty() - 4) != 0) heap.Free(store.FallbackEmpty() - 4);
    if (!heap.blocks.empty())
      HeapFault(std::to_string(heap.blocks.size()) + " blocks left besides the lists and the shared empty string");
    for (void* block : heap.blocks) std::free(block);
  }
  // The live strings, list by list, each list oldest first.
  std::vector<char*> Live() const {
    std::vector<char*> live;
    for (int i = 0; i < farelib::StringStore::kStripes; ++i)
      live.insert(live.end(), store.StripeItems(i), store.StripeItems(i) + store.StripeCount(i));
    return live;
  }
  // Strings given in order of allocation, in the order Live() gives them
  // when each list keeps that order.
  static std::vector<char*> InListOrder(std::vector<char*> made) {
    std::stable_sort(made.begin(), made.end(), [](const char* a, const char* b) {
      return farelib::StringStore::StripeOf(a) < farelib::StringStore::StripeOf(b);
    });
    return made;
  }
  // The store's own blocks: the lists and the shared empty string.
  std::size_t OwnBlocks() const {
    std::size_t own = heap.blocks.count(store.FallbackEmpty() - 4);
    for (int i = 0; i < farelib::StringStore::kStripes; ++i) own += store.StripeItems(i) != nullptr ? 1 : 0;
    return own;
  }

  FakeHeap heap;
  farelib::StringStore store{};
};

}  // namespace fltest

#endif
