// The cursor that both DLLs carry loads as a cursor with its hot spot, as a
// host that wanted it would load it (no library code loads it).
#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "support/farelib_loader.h"

namespace {

TEST(Resources, CursorGroup101LoadsWithItsHotSpot) {
  for (const char* dll : {"farelib4.dll", "farelib3.dll"}) {
    support::Farelib farelib;
    ASSERT_TRUE(farelib.LoadBeside(dll)) << dll;
    HCURSOR cursor = static_cast<HCURSOR>(LoadImageA(farelib.module, MAKEINTRESOURCEA(FARELIB_CURSOR), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
    ASSERT_NE(cursor, nullptr) << dll << ": cursor 101 loads";
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(cursor, &info)) << dll;
    EXPECT_FALSE(info.fIcon) << dll << ": a cursor, not an icon";
    EXPECT_EQ(info.xHotspot, 31u) << dll;
    EXPECT_EQ(info.yHotspot, 31u) << dll;
    BITMAP mask{};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, 32) << dll;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyCursor(cursor);
  }
}

}  // namespace
