// The string store's logic over a fake heap that can be told to fail.
#include "core/string_store.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "fake_heap.h"

namespace {

using farelib::StringStore;

class StoreTest : public ::testing::Test {
 protected:
  std::vector<char*> Live() const { return s.Live(); }
  static std::vector<char*> InListOrder(const std::vector<char*>& made) { return fltest::HeapStore::InListOrder(made); }

  fltest::HeapStore s;
  fltest::FakeHeap& heap = s.heap;
  StringStore& store = s.store;
};

const unsigned char kMessageBytes[] = {
    0x96, 0xa2, 0x92, 0x6d, 0x82, 0xcc, 0x95, 0xb6, 0x8e, 0x9a, 0x97, 0xf1, 0x82, 0xaa, 0x89, 0xf0, 0x95, 0xfa, 0x82,
    0xb3, 0x82, 0xea, 0x82, 0xe6, 0x82, 0xa4, 0x82, 0xc6, 0x82, 0xb5, 0x82, 0xdc, 0x82, 0xb5, 0x82, 0xbd, 0x81, 0x42,
    0x0d, 0x0a};

TEST_F(StoreTest, BlocksHoldLengthTextAndTerminator) {
  char* empty = store.CreateEmpty();
  EXPECT_EQ(StringStore::Length(empty), 0);
  EXPECT_EQ(empty[0], '\0');

  char* zeros = store.Create(7);
  EXPECT_EQ(StringStore::Length(zeros), 7);
  for (int i = 0; i <= 7; ++i) EXPECT_EQ(zeros[i], '\0') << "byte " << i;

  const char src[] = "AB\x89\x5e";
  char* copy = store.CreateCopy(src, 4);
  EXPECT_NE(copy, src);
  EXPECT_EQ(StringStore::Length(copy), 4);
  EXPECT_EQ(std::memcmp(copy, src, 5), 0);

  EXPECT_EQ(Live(), InListOrder({empty, zeros, copy})) << "entries in order of allocation";

  // Every length around the sizes a copy is cut into, from an odd address.
  char bytes[42];
  for (int i = 0; i < 42; ++i) bytes[i] = static_cast<char>(0x81 + i);
  for (int n = 1; n <= 40; ++n) {
    char* c = store.CreateCopy(bytes + 1, n);
    EXPECT_TRUE(std::memcmp(c, bytes + 1, n) == 0 && c[n] == '\0') << n << " bytes: not copied exactly";
  }
}

TEST_F(StoreTest, ReleaseKeepsOrderAndReportsUnknownPointers) {
  std::vector<char*> made;
  for (int i = 0; i < 300; ++i) made.push_back(store.Create(i % 5));
  store.Release(made[0]);
  store.Release(made[150]);
  store.Release(made[299]);
  made.erase(made.begin() + 299);
  made.erase(made.begin() + 150);
  made.erase(made.begin());
  EXPECT_EQ(Live(), InListOrder(made)) << "the remaining entries keep their order";
  EXPECT_TRUE(heap.messages.empty());

  char* twice = made[10];
  store.Release(twice);
  store.Release(twice);  // second time: no live string
  ASSERT_EQ(heap.messages.size(), 1u);
  EXPECT_EQ(heap.messages[0], std::string(reinterpret_cast<const char*>(kMessageBytes), sizeof kMessageBytes));

  store.Release(nullptr);
  EXPECT_EQ(heap.messages.size(), 1u) << "null is ignored silently";

  char host_text[] = "host";
  int before = store.LiveCount();
  store.Release(host_text);
  EXPECT_EQ(heap.messages.size(), 2u);
  EXPECT_EQ(store.LiveCount(), before);
  EXPECT_STREQ(host_text, "host");
}

TEST_F(StoreTest, ConcatenateReleasesBothInputs) {
  char* left = store.CreateCopy("1", 1);
  char* right = store.CreateCopy("\x8c\x85", 2);  // "桁"
  char* both = store.Concatenate(left, right);
  EXPECT_EQ(StringStore::Length(both), 3);
  EXPECT_STREQ(both, "1\x8c\x85");
  EXPECT_FALSE(store.IsLive(left));
  EXPECT_FALSE(store.IsLive(right));
  EXPECT_EQ(Live(), std::vector<char*>{both});
  EXPECT_TRUE(heap.messages.empty());
}

TEST_F(StoreTest, ExhaustedHeapGivesTheEmptyStringAndLosesNothing) {
  char* kept = store.CreateCopy("kept", 4);

  heap.allocs_left = 0;  // the block itself cannot be had
  char* a = store.Create(10);
  EXPECT_TRUE(store.IsFallback(a));
  EXPECT_EQ(StringStore::Length(a), 0);
  EXPECT_EQ(a[0], '\0');
  char* b = store.CreateCopy("text", 4);
  EXPECT_EQ(StringStore::Length(b), 0);
  heap.allocs_left = -1;

  // A list cannot grow (the request after the block's fails): the new block
  // is given back, the old entries stay. Wanted: a list that had entries.
  char* c = nullptr;
  for (int tries = 0; c == nullptr && tries < 5000; ++tries) {
    std::vector<char*> before = Live();
    std::size_t blocks = heap.blocks.size();
    heap.fail_only = heap.requests + 2;
    char* made = store.Create(3);
    heap.fail_only = 0;
    if (!store.IsFallback(made)) continue;
    EXPECT_EQ(heap.blocks.size(), blocks) << "the unregistered block is freed";
    EXPECT_EQ(Live(), before);
    if (store.StripeItems(StringStore::StripeOf(static_cast<char*>(heap.last) + 4)) != nullptr)
      c = made;
    else
      store.Create(3);  // that list's first block, on a sound heap
  }
  ASSERT_NE(c, nullptr) << "no full list met";
  EXPECT_STREQ(kept, "kept");

  // The empty string is never released and never reported.
  store.Release(c);
  EXPECT_TRUE(heap.messages.empty());

  // Concatenate under exhaustion still releases its inputs.
  char* l = store.CreateCopy("L", 1);
  char* r = store.CreateCopy("R", 1);
  heap.allocs_left = 0;
  char* lr = store.Concatenate(l, r);
  heap.allocs_left = -1;
  EXPECT_EQ(StringStore::Length(lr), 0);
  EXPECT_FALSE(store.IsLive(l));
  EXPECT_FALSE(store.IsLive(r));

  // Once memory returns, strings work as before.
  char* d = store.CreateCopy("ok", 2);
  EXPECT_FALSE(store.IsFallback(d));
  EXPECT_STREQ(d, "ok");
}

// The shared empty string is taken from the store's heap at Attach, so that
// it outlives the library's image like any other string; only when the heap
// cannot give it is it the library's own.
TEST(StoreAttach, TheSharedEmptyStringIsAHeapBlockWhileTheHeapCanGiveOne) {
  struct Case {
    const char* heap;
    int attach_allocs;
    bool on_heap;
  } cases[] = {{"heap available", -1, true}, {"heap exhausted", 0, false}};
  for (const auto& c : cases) {
    fltest::HeapStore s(c.attach_allocs);
    char* empty = s.store.FallbackEmpty();
    ASSERT_NE(empty, nullptr) << c.heap;
    EXPECT_EQ(s.heap.blocks.count(empty - 4), c.on_heap ? 1u : 0u) << c.heap << ": a block of the store's heap";
    EXPECT_EQ(StringStore::Length(empty), 0) << c.heap;
    EXPECT_EQ(empty[0], '\0') << c.heap;
    EXPECT_EQ(s.store.LiveCount(), 0) << c.heap << ": not in the list";

    s.heap.allocs_left = 0;
    EXPECT_EQ(s.store.Create(3), empty) << c.heap << ": what a failed Create gives";
    s.store.Release(empty);
    EXPECT_TRUE(s.heap.messages.empty()) << c.heap << ": released silently";
    s.heap.allocs_left = -1;
    char* made = s.store.CreateCopy("ok", 2);
    EXPECT_NE(made, empty) << c.heap;
    EXPECT_STREQ(made, "ok") << c.heap;
  }
}

TEST_F(StoreTest, NegativeLengthGivesTheEmptyString) {
  char* t = store.Create(-1);
  EXPECT_TRUE(store.IsFallback(t));
  EXPECT_EQ(store.LiveCount(), 0);
}

TEST_F(StoreTest, ManyLiveStringsStayListedInOrder) {
  std::vector<char*> made;
  for (int i = 0; i < 100000; ++i) made.push_back(store.Create(0));
  // The library's own temporaries come and go at the young end.
  for (int i = 0; i < 1000; ++i) store.Release(store.Create(2));
  EXPECT_EQ(Live(), InListOrder(made));
}

// While the store takes a larger list from the heap, outside the list's lock,
// other threads may grow that list, and fill it again. Here they do so from
// inside the heap call: the strings of both stay listed in order, and the
// list blocks that are not needed go back to the heap.
TEST(StoreLists, GrownByAnotherThreadWhileTheHeapIsAsked) {
  for (bool filled_again : {false, true}) {
    fltest::HeapStore t;
    std::vector<char*> made;  // in order of registration
    bool once = false;
    t.heap.before_alloc = [&](std::size_t bytes) {
      if (bytes < 64 * sizeof(char*) || once) return;  // the first list only
      once = true;
      // The list of the string whose block came last.
      const int list = StringStore::StripeOf(static_cast<char*>(t.heap.last) + 4);
      char* const* before = t.store.StripeItems(list);
      while (t.store.StripeItems(list) == before || (filled_again && t.store.StripeCount(list) < 64))
        made.push_back(t.store.Create(0));
    };
    char* first = t.store.Create(1);
    made.push_back(first);
    ASSERT_TRUE(once);
    EXPECT_FALSE(t.store.IsFallback(first)) << "filled again: " << filled_again;
    EXPECT_EQ(t.Live(), fltest::HeapStore::InListOrder(made)) << "filled again: " << filled_again;
    EXPECT_EQ(t.heap.blocks.size(), made.size() + t.OwnBlocks()) << "filled again: " << filled_again;
  }
}

}  // namespace
