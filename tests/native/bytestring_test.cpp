// Cutting by bytes: the stretch that MidB_ASCII returns for each start and
// count, and the string it makes of it.
#include "text/bytestring.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "fake_heap.h"
#include "midb_steps.h"

namespace {

using farelib::MidBRange;

std::string Cut(const std::string& text, int start, int count) {
  auto r = MidBRange(static_cast<std::int32_t>(text.size()), start, count);
  return text.substr(static_cast<std::size_t>(r.offset), static_cast<std::size_t>(r.length));
}

TEST(MidBRange, TableForABCDE) {
  struct Case {
    int start, count;
    const char* want;
  } cases[] = {
      {1, 0, "ABCDE"}, {1, 5, "ABCDE"}, {1, 6, "ABCDE"}, {2, 3, "BCD"}, {2, 0, "BCDE"}, {4, 10, "DE"},
      {5, 0, "E"},     {5, 1, "E"},     {6, 0, ""},      {6, 1, ""},    {0, 2, ""},     {-3, 2, ""},
      // Negative counts with a start inside the text: empty, like the other out-of-range cases.
      {1, -1, ""},     {3, INT_MIN, ""},
      // 32-bit extremes.
      {INT_MAX, 0, ""}, {INT_MAX, INT_MAX, ""}, {INT_MIN, 1, ""}, {1, INT_MAX, "ABCDE"}, {5, INT_MAX, "E"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Cut("ABCDE", c.start, c.count), c.want) << "start " << c.start << ", count " << c.count;
}

TEST(MidBRange, SplitsDoubleByteCharacters) {
  const std::string fare = "\x89\x5e\x92\xc0";  // "運賃" in code page 932
  EXPECT_EQ(Cut(fare, 2, 2), "\x5e\x92") << "trail byte of the first, lead byte of the second";
  EXPECT_EQ(Cut(fare, 3, 0), "\x92\xc0");
  EXPECT_EQ(Cut(fare, 1, 1), "\x89");
}

TEST(MidBRange, EmptyTextGivesEmptyForEveryStartAndCount) {
  for (int start : {INT_MIN, -1, 0, 1, 2, INT_MAX})
    for (int count : {INT_MIN, -1, 0, 1, INT_MAX}) {
      auto r = MidBRange(0, start, count);
      EXPECT_EQ(r.length, 0) << "start " << start << ", count " << count;
    }
}

TEST(MidBRange, LongestTextReachesItsLastByte) {
  auto r = MidBRange(INT_MAX, INT_MAX, 0);
  EXPECT_EQ(r.offset, INT_MAX - 1);
  EXPECT_EQ(r.length, 1);
  r = MidBRange(INT_MAX, 1, 0);
  EXPECT_EQ(r.offset, 0);
  EXPECT_EQ(r.length, INT_MAX);
}

// The cut is made from the host's bytes in place, in one block: the same
// string as the documented steps give, which copy the text first.
TEST(MidBCut, SameAsTheStepsWithOneBlock) {
  fltest::HeapStore s, steps;
  int text_blocks = 0;
  s.heap.before_alloc = [&](std::size_t bytes) { text_blocks += bytes < 64 * sizeof(char*); };
  for (const char* text : {static_cast<const char*>(nullptr), "", "A", "ABCDE", "\x89\x5e\x92\xc0"})
    for (int start : {INT_MIN, -3, 0, 1, 2, 3, 4, 5, 6, 7, INT_MAX})
      for (int count : {INT_MIN, -1, 0, 1, 2, 3, 5, 6, INT_MAX}) {
        const std::int32_t n = text ? static_cast<std::int32_t>(std::strlen(text)) : 0;
        const int blocks_before = text_blocks, live_before = s.store.LiveCount();
        char* got = farelib::MidBCut(s.store, text, n, start, count);
        char* want = fltest::MidBBySteps(steps.store, text, start, count);
        const std::string at = std::string("text ") + (text ? text : "(null)") + ", start " + std::to_string(start) +
                               ", count " + std::to_string(count);
        ASSERT_EQ(std::string(got, farelib::StringStore::Length(got) + 1u),
                  std::string(want, farelib::StringStore::Length(want) + 1u)) << at;
        EXPECT_EQ(text_blocks - blocks_before, 1) << at;
        EXPECT_EQ(s.store.LiveCount() - live_before, 1) << at;
      }
  // When that one block cannot be had: the shared empty string, nothing kept.
  const std::size_t blocks = s.heap.blocks.size();
  s.heap.fail_only = s.heap.requests + 1;
  EXPECT_TRUE(s.store.IsFallback(farelib::MidBCut(s.store, "ABCDE", 5, 2, 3)));
  EXPECT_EQ(s.heap.blocks.size(), blocks);
}

}  // namespace
