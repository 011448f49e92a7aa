// What the settings dialogs list, select, write back and return, without the
// platform. List texts are compared as code page 932 bytes.
#include <gtest/gtest.h>
#include <iconv.h>

#include <climits>
#include <cstring>
#include <string>

#include "dialogs/settings_logic.h"
#include "fake_heap.h"

namespace {

using namespace farelib::dlg;

// UTF-8 to code page 932 with the C library's converter.
std::string Cp932(const char8_t* utf8) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  std::string in(reinterpret_cast<const char*>(utf8)), out(in.size() * 2 + 1, '\0');
  char* ip = in.data();
  char* op = out.data();
  size_t il = in.size(), ol = out.size();
  size_t r = iconv(cd, &ip, &il, &op, &ol);
  iconv_close(cd);
  EXPECT_NE(r, static_cast<size_t>(-1)) << "no code page 932 form";
  out.resize(out.size() - ol);
  return out;
}

// An item's text as the dialogs make it: in a string store, the parts joined
// and released, the text itself released once read.
std::string Text(const ItemText& item) {
  fltest::HeapStore s;
  char* text = MakeItemString(s.store, item);
  EXPECT_EQ(s.Live(), std::vector<char*>{text}) << "the text alone is live: its parts are released";
  std::string bytes(text, static_cast<size_t>(farelib::StringStore::Length(text)));
  EXPECT_EQ(std::strlen(text), bytes.size()) << "length prefix and terminator agree";
  s.store.Release(text);
  return bytes;
}

std::string Digits(std::int32_t v) {
  char buf[11];
  return std::string(buf, static_cast<size_t>(WriteDecimal(v, buf)));
}

TEST(ItemTexts, DecimalText) {
  struct Case {
    std::int32_t v;
    const char* want;
  } cases[] = {{0, "0"}, {-1, "-1"}, {150, "150"}, {32767, "32767"}, {-32768, "-32768"},
               {INT_MAX, "2147483647"}, {INT_MIN, "-2147483648"}, {10, "10"}};
  for (const auto& c : cases) EXPECT_EQ(Digits(c.v), c.want) << c.v;
}

// Every item shape the dialogs list: a fixed text, a number with a suffix, a
// prefix with a number and a suffix, a prefix with a number, a bare number.
struct ItemCase {
  const char* name;
  ItemText item;
};
const ItemCase kItemShapes[] = {
    {"zero handling 0", ZeroHandlingItem(0)},  {"digit 0", DigitItem(0)},
    {"digit 32767", DigitItem(32767)},         {"ticket format 0, N 20", TicketFormatItem(0, 20)},
    {"ticket format 1, N 20", TicketFormatItem(1, 20)}, {"number 150", NumberItem(150)},
};

// Makes the item with the heap set up by `fail`, then checks that the text is
// a valid string, whole or blank, and that nothing but it stays registered.
// Returns false once the heap was not asked as far as the failure point.
template <typename Fail>
bool CheckItemUnderFailure(const ItemCase& c, const std::string& whole, const char* mode, int k, Fail fail) {
  fltest::HeapStore s;
  s.heap.requests = 0;
  fail(s.heap, k);
  char* text = MakeItemString(s.store, c.item);
  const bool reached = s.heap.requests >= k;
  s.heap.fail_only = s.heap.fail_from = 0;
  const std::string got(text, static_cast<size_t>(farelib::StringStore::Length(text)));
  EXPECT_EQ(std::strlen(text), got.size()) << c.name << ", " << mode << " " << k << ": length prefix and terminator";
  EXPECT_TRUE(got.empty() || got == whole)
      << c.name << ", " << mode << " " << k << ": expected \"" << whole << "\" or blank, got \"" << got << "\"";
  EXPECT_EQ(s.store.LiveCount(), got.empty() && s.store.IsFallback(text) ? 0 : 1)
      << c.name << ", " << mode << " " << k << ": strings left registered";
  if (!reached) {
    EXPECT_EQ(got, whole) << c.name << ", " << mode << " " << k << ": no failure, yet not whole";
  }
  s.store.Release(text);
  return reached;
}

TEST(ItemTexts, FailingHeapGivesTheWholeTextOrABlank) {
  // Two ways the heap fails: from the k-th request on (the heap is used up),
  // and at the k-th request alone with the later ones succeeding (a passing
  // shortage). Both for every k up to the first that the item never reaches.
  // A text is whole or blank, never a piece.
  for (const ItemCase& c : kItemShapes) {
    const std::string whole = Text(c.item);
    ASSERT_FALSE(whole.empty()) << c.name;
    int k = 1;
    while (CheckItemUnderFailure(c, whole, "every request from", k,
                                 [](fltest::FakeHeap& h, int k) { h.fail_from = k; }))
      ++k;
    EXPECT_GT(k, 2) << c.name << ": the item made fewer heap requests than expected";
    for (k = 1; CheckItemUnderFailure(c, whole, "only request", k, [](fltest::FakeHeap& h, int k) { h.fail_only = k; });)
      ++k;
  }
}

// ---- Digital display ----

TEST(DigitalDisplay, ZeroHandlingTexts) {
  const char8_t* want[] = {
      u8"データの値が0もしくは空値のときは何も表示しない(既定)",
      u8"データの値が0もしくは空値のときには0を表示する",
      u8"データの値が-1のときは0を表示する",
      u8"データの値が-1または0のときは0を表示する",
  };
  for (int i = 0; i < kZeroHandlingCount; ++i) EXPECT_EQ(Text(ZeroHandlingItem(i)), Cp932(want[i])) << i;
}

TEST(DigitalDisplay, DigitListsAsFunctionsOfN) {
  struct Case {
    std::int16_t n;
    std::int32_t shift, padding;
  } cases[] = {{0, 0, 1},   {1, 1, 2},           {5, 5, 6},           {10, 10, 11},        {-1, 0, 0},
               {-32768, 0, 0}, {32766, 32766, 32767}, {32767, 32767, 32768}};
  for (const auto& c : cases) {
    EXPECT_EQ(ShiftItemCount(c.n), c.shift) << "shift list, N = " << c.n;
    EXPECT_EQ(PaddingItemCount(c.n), c.padding) << "padding list, N = " << c.n;
  }
  EXPECT_EQ(Text(DigitItem(0)), Cp932(u8"0桁"));
  EXPECT_EQ(Text(DigitItem(9)), Cp932(u8"9桁"));
  EXPECT_EQ(Text(DigitItem(10)), Cp932(u8"10桁"));
  EXPECT_EQ(Text(DigitItem(32767)), Cp932(u8"32767桁"));
}

TEST(DigitalDisplay, OkReadsSelectionsAndEndsWithTheCheckBox) {
  struct Case {
    std::int32_t zero, shift, padding, check, end;
    std::int16_t want_zero, want_shift, want_padding;
  } cases[] = {
      {2, 3, 4, 0, 0, 2, 3, 4},
      {2, 3, 4, 1, 1, 2, 3, 4},
      {-1, -1, -1, 1, 1, -1, -1, -1},       // nothing chosen
      {0, 32767, 32768, 2, 0, 0, 32767, -32768},  // low 16 bits; only 1 counts as checked
  };
  for (const auto& c : cases) {
    DigitalDisplayState s{5, 9, 9, 9};
    EXPECT_EQ(DigitalDisplayOk(&s, c.zero, c.shift, c.padding, c.check), c.end) << "check " << c.check;
    EXPECT_EQ(s.DigitCount, 5);
    EXPECT_EQ(s.ZeroDisplayMode, c.want_zero);
    EXPECT_EQ(s.DigitShift, c.want_shift);
    EXPECT_EQ(s.ZeroPadding, c.want_padding);
  }
}

TEST(DigitalDisplay, WritesBackWhateverTheResult) {
  for (std::intptr_t r : {1, 0, -1}) {
    DigitalDisplayState s{5, 2, 3, 4};
    std::int16_t z = 7, sh = 7, p = 7;
    EXPECT_EQ(FinishDigitalDisplay(s, r, &z, &sh, &p), r);
    EXPECT_EQ(z, 2) << "r = " << r;
    EXPECT_EQ(sh, 3);
    EXPECT_EQ(p, 4);
  }
}

// ---- Ticket format ----

TEST(TicketFormat, ListForTwentyCells) {
  const char8_t* want[kTicketFormatCount] = {
      u8"1,2,3...20 （既定の表示）", u8"0,1,2...19",         u8"「なし」、1,2...19",   u8"「なし」、2,3...20",
      u8"「無券」、1,2...19",         u8"「無券」、2,3...20",   u8"「券なし」、1,2...19", u8"「券なし」、2,3...20",
      u8"「券無し」、1,2...19",       u8"「券無し」、2,3...20", u8"(無地)、1,2...19",     u8"(無地)、2,3...20",
  };
  for (int i = 0; i < kTicketFormatCount; ++i) EXPECT_EQ(Text(TicketFormatItem(i, 20)), Cp932(want[i])) << i;
}

TEST(TicketFormat, EdgeCountsNoSpecialCase) {
  struct Case {
    std::int16_t n;
    int index;
    const char8_t* want;
  } cases[] = {
      {1, 1, u8"0,1,2...0"},
      {1, 3, u8"「なし」、2,3...1"},
      {0, 0, u8"1,2,3...0 （既定の表示）"},
      {0, 1, u8"0,1,2...-1"},
      {-5, 11, u8"(無地)、2,3...-5"},
      {-5, 10, u8"(無地)、1,2...-6"},
      {-32768, 1, u8"0,1,2...32767"},  // N - 1 wraps in 16 bits
      {-32768, 0, u8"1,2,3...-32768 （既定の表示）"},
      {32767, 2, u8"「なし」、1,2...32766"},
      {32767, 3, u8"「なし」、2,3...32767"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Text(TicketFormatItem(c.index, c.n)), Cp932(c.want)) << "N = " << c.n << ", index " << c.index;
}

TEST(TicketFormat, CheckBoxToggle) {
  struct Case {
    std::int32_t in, out;
  } cases[] = {{0, 1}, {1, 0}, {2, 1}, {-1, 1}};
  for (const auto& c : cases) EXPECT_EQ(ToggledCheck(c.in), c.out) << c.in;
}

TEST(TicketFormat, WriteBackOnlyAfterOk) {
  struct Case {
    std::intptr_t r;
    std::int32_t result;
    std::int16_t format, flag;
  } cases[] = {{1, 1, 7, 1}, {0, 0, 3, 0}, {-1, 0, 3, 0}, {2, 0, 3, 0}};
  for (const auto& c : cases) {
    TicketFormatState s{20, 3, 0};
    EXPECT_EQ(TicketFormatOk(&s, 1, 7), 1);
    std::int16_t format = 3, flag = 0;
    EXPECT_EQ(FinishTicketFormat(s, c.r, &format, &flag), c.result) << "r = " << c.r;
    EXPECT_EQ(format, c.format) << "r = " << c.r;
    EXPECT_EQ(flag, c.flag) << "r = " << c.r;
  }
  // OK with the box unchecked returns 0 but writes; nothing chosen gives -1.
  TicketFormatState s{20, 3, 1};
  TicketFormatOk(&s, 0, -1);
  std::int16_t format = 3, flag = 1;
  EXPECT_EQ(FinishTicketFormat(s, 1, &format, &flag), 0);
  EXPECT_EQ(format, -1);
  EXPECT_EQ(flag, 0);
  // A flag read as 0x10001 keeps its low 16 bits and is returned sign-extended.
  TicketFormatOk(&s, 0x1FFFF, 0);
  EXPECT_EQ(FinishTicketFormat(s, 1, &format, &flag), -1);
}

// ---- Information numbers ----

TEST(InfoNumbers, ListCounts) {
  struct Case {
    std::int16_t n;
    std::int32_t cells;
  } cases[] = {{5, 5}, {0, 0}, {-1, 0}, {-32768, 0}, {1, 1}, {32767, 32767}};
  for (const auto& c : cases)
    for (int k = 0; k < kInfoComboCount; ++k)
      EXPECT_EQ(InfoItemCount(k, c.n), InfoCombo(k) == kUserInfoColumnCombo ? 150 : c.cells)
          << "combo box " << InfoCombo(k) << ", N = " << c.n;
  EXPECT_EQ(Text(NumberItem(1)), "1");
  EXPECT_EQ(Text(NumberItem(150)), "150");
}

TEST(InfoNumbers, InitialSelections) {
  InfoNumberSettings r{1, 0, 3, 150, -32768, 0, 1, 0, 1, 2};
  const std::int32_t want[kInfoComboCount] = {0, -1, 2, 149, -32769};
  for (int k = 0; k < kInfoComboCount; ++k)
    EXPECT_EQ(InfoInitialSelection(r, k), want[k]) << "combo box " << InfoCombo(k);
  EXPECT_EQ(InfoField(r, 9), 2);
}

TEST(InfoNumbers, OkWritesAllTenFields) {
  InfoNumberSettings r{9, 9, 9, 9, 9, 9, 9, 9, 9, 9};
  const std::int32_t sel[kInfoComboCount] = {0, -1, 4, 149, 65535};
  const std::int32_t chk[kInfoComboCount] = {1, 0, 1, 0, 1};
  EXPECT_EQ(InfoNumberOk(&r, sel, chk), 1);
  const InfoNumberSettings want{1, 0, 5, 150, 0, 1, 0, 1, 0, 1};  // 65535 + 1 keeps its low 16 bits
  EXPECT_EQ(std::memcmp(&r, &want, sizeof r), 0);
}

TEST(InfoNumbers, HostRecordOnlyAfterOk) {
  InfoNumberState s{5, {1, 2, 3, 4, 5, 1, 0, 1, 0, 1}};
  for (std::intptr_t r : {0, -1, 2}) {
    InfoNumberSettings host{7, 7, 7, 7, 7, 7, 7, 7, 7, 7};
    const InfoNumberSettings before = host;
    EXPECT_EQ(FinishInfoNumber(s, r, &host), 0) << "r = " << r;
    EXPECT_EQ(std::memcmp(&host, &before, sizeof host), 0) << "r = " << r;
  }
  InfoNumberSettings host{};
  EXPECT_EQ(FinishInfoNumber(s, 1, &host), 1);
  EXPECT_EQ(std::memcmp(&host, &s.Record, sizeof host), 0);
}

}  // namespace
