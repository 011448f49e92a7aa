// The widening of ZE4_DrawSeiriken's last three values.
#include <gtest/gtest.h>

#include <cstdint>

#include "plugins/plugin_args.h"

namespace {

TEST(PluginArgs, Low16BitsWidenWithTheirSign) {
  struct Case {
    std::uint32_t slot;
    std::int32_t want;
  } cases[] = {
      {0x00000000u, 0},      {0x00000001u, 1},      {0x00007FFFu, 32767},  {0x00008000u, -32768},
      {0x0000FFFFu, -1},     {0x0001FFFFu, -1},     {0xFFFF0000u, 0},      {0xFFFF7FFFu, 32767},
      {0x80000000u, 0},      {0x12340005u, 5},      {0xFFFFFFFEu, -2},     {0x7FFF8001u, -32767},
  };
  for (const auto& c : cases)
    EXPECT_EQ(farelib::WidenLow16(static_cast<std::int32_t>(c.slot)), c.want) << "slot 0x" << std::hex << c.slot;
}

}  // namespace
