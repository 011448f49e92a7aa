// Cutting by bytes: the stretch that MidB_ASCII returns for each start and count.
#include "text/bytestring.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

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

}  // namespace
