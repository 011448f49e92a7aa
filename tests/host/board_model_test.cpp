// The stand-in host's board model: labels, digital parts, applying results.
#include <gtest/gtest.h>

#include <cstring>

#include "host/board_model.h"

using namespace farehost;

namespace {
std::string U(const char8_t* s) { return reinterpret_cast<const char*>(s); }
}  // namespace

TEST(TicketLabel, EveryFormatLabelsTwentyCells) {
  struct {
    int format;
    bool lz;
    std::string first, second, last;
  } cases[] = {
      {0, false, "1", "2", "20"},        {1, false, "0", "1", "19"},        {2, false, U(u8"なし"), "1", "19"},
      {3, false, U(u8"なし"), "2", "20"}, {4, true, U(u8"無券"), "01", "19"}, {5, true, U(u8"無券"), "02", "20"},
      {6, false, U(u8"券なし"), "1", "19"}, {7, false, U(u8"券なし"), "2", "20"},
      {8, false, U(u8"券無し"), "1", "19"}, {9, false, U(u8"券無し"), "2", "20"},
      {10, false, "", "1", "19"},        {11, true, "", "02", "20"},       {1, true, "00", "01", "19"},
      {-1, false, "1", "2", "20"},       {12, false, "1", "2", "20"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TicketLabel(0, c.format, c.lz), c.first) << "format " << c.format << " cell 0";
    EXPECT_EQ(TicketLabel(1, c.format, c.lz), c.second) << "format " << c.format << " cell 1";
    EXPECT_EQ(TicketLabel(19, c.format, c.lz), c.last) << "format " << c.format << " cell 19";
  }
  EXPECT_EQ(TicketLabel(9, 0, true), "10") << "only one-digit numbers get the leading zero";
}

TEST(FormatDigits, ZeroHandlingPaddingAndShift) {
  struct {
    bool has;
    long value;
    int digits;
    DigitSettings s;
    const char* want;
  } cases[] = {
      {true, 170, 4, {0, 0, 0}, " 170"},  {true, 0, 4, {0, 0, 0}, "    "},   {false, 0, 4, {0, 0, 0}, "    "},
      {true, 0, 4, {1, 0, 0}, "   0"},    {false, 0, 4, {1, 0, 0}, "   0"},  {true, -1, 4, {1, 0, 0}, "    "},
      {true, -1, 4, {2, 0, 0}, "   0"},   {true, 0, 4, {2, 0, 0}, "    "},   {true, -1, 4, {3, 0, 0}, "   0"},
      {true, 0, 4, {3, 0, 0}, "   0"},    {false, 0, 4, {3, 0, 0}, "    "},  {true, 7, 3, {0, 0, 3}, "007"},
      {true, 7, 3, {0, 1, 2}, "07 "},     {true, 12345, 4, {0, 0, 0}, "2345"}, {true, 42, 2, {0, 2, 0}, "  "},
      {true, 5, 4, {0, 0, 9}, "0005"},    {true, -7, 4, {3, 0, 0}, "    "},  {true, 5, 0, {0, 0, 0}, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatDigits(c.has, c.value, c.digits, c.s), c.want)
        << "value " << c.value << (c.has ? "" : " (empty)") << ", " << c.digits << " digits, mode " << c.s.zero_mode
        << ", shift " << c.s.shift << ", padding " << c.s.padding;
}

TEST(ApplyDigitSettings, ResultDecidesWhichPartsChange) {
  Board b;
  DigitSettings w{1, 2, 3};
  EXPECT_TRUE(ApplyDigitSettings(b, Part::Route, 0, w));
  EXPECT_EQ(b.parts[1].shift, 2);
  EXPECT_EQ(b.parts[0].zero_mode, 0) << "result 0 changes the double-clicked part only";

  Board all;
  EXPECT_TRUE(ApplyDigitSettings(all, Part::Fare, 1, DigitSettings{3, 3, 4}));
  EXPECT_EQ(all.parts[0].shift, 3);
  EXPECT_EQ(all.parts[2].shift, 1) << "clamped to the 2-digit part's last shift";
  EXPECT_EQ(all.parts[2].padding, 2);

  Board failed;
  EXPECT_FALSE(ApplyDigitSettings(failed, Part::Fare, -1, DigitSettings{1, 1, 1})) << "no dialog: nothing applies";
  Board unselected;
  unselected.parts[0] = {2, 1, 3};
  ApplyDigitSettings(unselected, Part::Fare, 0, DigitSettings{-1, -1, 2});
  EXPECT_EQ(unselected.parts[0].zero_mode, 2) << "-1 (nothing chosen) keeps the old value";
  EXPECT_EQ(unselected.parts[0].shift, 1);
  EXPECT_EQ(unselected.parts[0].padding, 2);
}

TEST(ApplyTicketFormat, KeepsAnIndexOutsideTheList) {
  Board b;
  EXPECT_TRUE(ApplyTicketFormat(b, 4, 1));
  EXPECT_EQ(b.format_index, 4);
  EXPECT_EQ(b.leading_zero, 1);
  EXPECT_TRUE(ApplyTicketFormat(b, -1, 0));
  EXPECT_EQ(b.format_index, 4) << "-1 (nothing chosen) keeps the format";
  EXPECT_FALSE(ApplyTicketFormat(b, 4, 0));
}

TEST(LayOut, InformationNumbersTakeTheirCells) {
  Board b;
  b.info.StopCountCell = 3, b.info.ShowStopCount = 1, b.info.StopCountFromZero = 1;
  b.info.TicketNumberCell = 7, b.info.ShowTicketNumber = 1;
  b.info.RouteNumberCell = 5, b.info.ShowRouteNumber = 0;
  b.info.UserInfoCell = 10, b.info.UserInfoColumn = 12, b.info.ShowUserInfo = 1;
  std::vector<Cell> cells = LayOut(b);
  ASSERT_EQ(cells.size(), 20u);
  EXPECT_EQ(cells[2].value, "  11") << "stop count from zero in cell 3";
  EXPECT_STREQ(cells[2].info, U(u8"停留所数").c_str());
  EXPECT_EQ(cells[6].value, "   7") << "ticket number in cell 7";
  EXPECT_EQ(cells[4].info, nullptr) << "route number is switched off";
  EXPECT_EQ(cells[4].value, FormatDigits(true, Fare(4, b.data.stops_passed), 4, b.parts[0]));
  EXPECT_EQ(cells[9].value, " 444") << "column 12 of the user's data in cell 10";
  EXPECT_EQ(cells[0].value, FormatDigits(true, Fare(0, 12), 4, b.parts[0]));
  EXPECT_GT(Fare(0, 12), Fare(11, 12)) << "an earlier ticket pays more";
}

TEST(ApplyColourAndDate, OnlyAfterConfirmation) {
  Board b;
  uint32_t custom[16];
  for (int i = 0; i < 16; ++i) custom[i] = i;
  EXPECT_FALSE(ApplyColour(b, 0, 0x123456, custom));
  EXPECT_EQ(b.led_colour, 0x0000A5FFu);
  EXPECT_TRUE(ApplyColour(b, 1, 0x123456, custom));
  EXPECT_EQ(b.led_colour, 0x123456u);
  EXPECT_EQ(b.custom_colours[15], 15u);
  EXPECT_FALSE(ApplyDate(b, 0, 2026, 12, 7));
  EXPECT_FALSE(ApplyDate(b, 1, 0, 0, 0)) << "the zero date of a dialog never confirmed";
  EXPECT_TRUE(ApplyDate(b, 1, 2026, 12, 7));
  EXPECT_EQ(b.day, 7);
}
