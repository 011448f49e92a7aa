// LenB_ASCII and MidB_ASCII as a host calls them, in both DLLs.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "farelib.h"
#include "tests/wine/blackbox/dll_fixtures.h"
#include "support/hex.h"
#include "support/text.h"

namespace {

class ByteStrings : public blackbox::EachDll {
 protected:
  // The result as bytes, after checking that it is a well-formed library string.
  std::string Mid(const char* text, int32_t start, int32_t count) {
    const char* r = farelib.MidB_ASCII(text, start, count);
    EXPECT_NE(r, nullptr) << "a text result is never null";
    if (!r) return "<null>";
    EXPECT_EQ(farelib_length(r), static_cast<int32_t>(std::strlen(r))) << "length prefix";
    EXPECT_NE(r, text) << "a new string, not the host's";
    return std::string(r, static_cast<size_t>(farelib_length(r)));
  }
};

TEST_P(ByteStrings, LengthCountsBytes) {
  EXPECT_EQ(farelib.LenB_ASCII("ABCDE"), 5);
  EXPECT_EQ(farelib.LenB_ASCII(""), 0);
  EXPECT_EQ(farelib.LenB_ASCII(nullptr), 0);
  EXPECT_EQ(farelib.LenB_ASCII(support::Cp932(u8"運賃").c_str()), 4) << "two double-byte characters";
  std::string big(100000, 'x');
  EXPECT_EQ(farelib.LenB_ASCII(big.c_str()), 100000);
}

TEST_P(ByteStrings, MidTableForABCDE) {
  struct Case {
    int32_t start, count;
    const char* want;
  } cases[] = {
      {1, 0, "ABCDE"}, {1, 5, "ABCDE"}, {1, 6, "ABCDE"}, {2, 3, "BCD"}, {2, 0, "BCDE"}, {4, 10, "DE"},
      {5, 0, "E"},     {5, 1, "E"},     {6, 0, ""},      {6, 1, ""},    {0, 2, ""},     {-3, 2, ""},
      {2, -1, ""},     {1, INT_MIN, ""}, {INT_MAX, 0, ""}, {INT_MIN, 0, ""}, {1, INT_MAX, "ABCDE"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Mid("ABCDE", c.start, c.count), c.want) << "start " << c.start << ", count " << c.count;
}

TEST_P(ByteStrings, MidCutsCodePage932ByBytes) {
  const std::string text = support::Cp932(u8"運賃");
  ASSERT_EQ(support::Hex(text), "89 5E 92 C0");
  const char* fare = text.c_str();
  EXPECT_EQ(support::Hex(Mid(fare, 2, 2)), "5E 92");
  EXPECT_EQ(Mid(fare, 3, 0), "\x92\xc0");
}

TEST_P(ByteStrings, NullAndEmptyTextGiveEmptyStrings) {
  for (const char* text : {static_cast<const char*>(nullptr), ""})
    for (int32_t start : {INT_MIN, 0, 1, 2, INT_MAX})
      for (int32_t count : {INT_MIN, -1, 0, 1, INT_MAX})
        EXPECT_EQ(Mid(text, start, count), "") << "start " << start << ", count " << count;
}

TEST_P(ByteStrings, EveryResultIsANewString) {
  const char* a = farelib.MidB_ASCII("ABCDE", 1, 0);
  const char* b = farelib.MidB_ASCII("ABCDE", 1, 0);
  const char* e1 = farelib.MidB_ASCII("ABCDE", 9, 0);
  const char* e2 = farelib.MidB_ASCII("ABCDE", 9, 0);
  EXPECT_NE(a, b);
  EXPECT_STREQ(a, b);
  EXPECT_NE(e1, e2) << "empty results are distinct strings too";
  EXPECT_EQ(farelib_length(e1), 0);
}

TEST_P(ByteStrings, ReadsNoFurtherThanTheTerminator) {
  // The text ends exactly at the end of a committed page; the next page is
  // unreadable, so a read past the NUL would fault.
  SYSTEM_INFO si;
  GetSystemInfo(&si);
  char* pages = static_cast<char*>(VirtualAlloc(nullptr, si.dwPageSize * 2, MEM_RESERVE, PAGE_NOACCESS));
  ASSERT_NE(pages, nullptr);
  ASSERT_NE(VirtualAlloc(pages, si.dwPageSize, MEM_COMMIT, PAGE_READWRITE), nullptr);
  char* text = pages + si.dwPageSize - 4;
  std::memcpy(text, "XYZ", 4);
  EXPECT_EQ(farelib.LenB_ASCII(text), 3);
  EXPECT_EQ(Mid(text, 2, 0), "YZ");
  EXPECT_EQ(Mid(text, 1, INT_MAX), "XYZ");
  VirtualFree(pages, 0, MEM_RELEASE);
}

FARELIB_FOR_EACH_DLL(ByteStrings);

}  // namespace
