// What the choosers ask the platform for, and the colour chooser's write-back rule.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "choosers/chooser_requests.h"

namespace {

using farelib::ChooseColourWith;
using farelib::ColourChoice;

TEST(ChooserRequests, FileChooserFlagsFollowTheSaveFlag) {
  struct Case {
    std::int32_t save_flag;
    bool save;
    std::uint32_t flags;
  } cases[] = {
      {0, false, 0x80C}, {1, true, 0x80E}, {-1, true, 0x80E}, {2, true, 0x80E}, {INT_MIN, true, 0x80E},
      {INT_MAX, true, 0x80E}, {0x10000, true, 0x80E},
  };
  for (const auto& c : cases) {
    const farelib::FileRequest r = farelib::FileRequestFor(c.save_flag);
    EXPECT_EQ(r.save, c.save) << "save flag " << c.save_flag;
    EXPECT_EQ(r.flags, c.flags) << "save flag " << c.save_flag;
    EXPECT_EQ(r.max_file, 256u) << "capacity declared for the path";
    EXPECT_EQ(r.max_file_title, 256u);
  }
}

// A chooser stand-in: checks that the caller's memory is untouched while it
// runs, changes every colour of its copy, and confirms or cancels.
struct FakeColourChooser {
  const std::uint32_t* caller_colour;
  const std::uint32_t* caller_custom;
  bool confirm;
  int runs = 0;
  bool operator()(ColourChoice<std::uint32_t>& c) {
    ++runs;
    EXPECT_EQ(c.colour, *caller_colour) << "the chooser opens on the caller's colour";
    for (int i = 0; i < 16; ++i) EXPECT_EQ(c.custom[i], caller_custom[i]) << "custom colour " << i << " copied";
    EXPECT_NE(c.custom, caller_custom) << "the chooser works on a copy";
    c.colour = 0x00ABCDEF;
    for (int i = 0; i < 16; ++i) c.custom[i] = 0x00100000u + static_cast<std::uint32_t>(i);
    return confirm;
  }
};

TEST(ChooserRequests, ColourAndAllSixteenCustomColoursAreWrittenOnlyOnConfirm) {
  for (bool confirm : {false, true}) {
    std::uint32_t colour = 0x00123456;
    std::uint32_t custom[18];
    for (int i = 0; i < 18; ++i) custom[i] = 0x00FF0000u + static_cast<std::uint32_t>(i);
    FakeColourChooser chooser{&colour, custom, confirm};
    EXPECT_EQ(ChooseColourWith(&colour, custom, [&](ColourChoice<std::uint32_t>& c) { return chooser(c); }),
              confirm ? 1 : 0);
    EXPECT_EQ(chooser.runs, 1);
    EXPECT_EQ(colour, confirm ? 0x00ABCDEFu : 0x00123456u) << (confirm ? "confirmed" : "cancelled");
    for (int i = 0; i < 16; ++i)
      EXPECT_EQ(custom[i], confirm ? 0x00100000u + i : 0x00FF0000u + i)
          << "custom colour " << i << (confirm ? ", confirmed" : ", cancelled");
    EXPECT_EQ(custom[16], 0x00FF0010u) << "nothing past the 16 entries";
    EXPECT_EQ(custom[17], 0x00FF0011u) << "nothing past the 16 entries";
  }
}

TEST(ChooserRequests, ChosenTextStopsAtTheFirstNulOrTheCapacity) {
  struct Case {
    bool confirmed;
    const char* buffer;
    std::int32_t capacity, want;
  } cases[] = {
      {true, "C:\\data\\fare.csv\0junk", 260, 16}, {false, "C:\\data\\fare.csv", 260, 0}, {true, "", 260, 0},
      {true, "ABCDEF", 4, 4},                      {true, "AB", 0, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(farelib::ChosenTextLength(c.confirmed, c.buffer, c.capacity), c.want)
        << '"' << c.buffer << "\" confirmed " << c.confirmed << ", capacity " << c.capacity;
}

}  // namespace
