// examples/sample-plugin through farelib4's bridge, as its README describes it:
// a 64-bit host hands it a device context as a 32-bit value.
#include <gtest/gtest.h>

#include <string>

#include "tests/wine/blackbox/dll_fixtures.h"
#include "support/library.h"

namespace {

class SamplePlugin : public blackbox::Farelib4Bridge {
 protected:
  void SetUp() override {
    Farelib4Bridge::SetUp();
    if (HasFatalFailure()) return;

    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = kWidth;
    bi.bmiHeader.biHeight = -kHeight;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    dc = CreateCompatibleDC(nullptr);
    bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&pixels), nullptr, 0);
    ASSERT_TRUE(dc && bitmap);
    SelectObject(dc, bitmap);
    for (int i = 0; i < kWidth * kHeight; ++i) pixels[i] = kGreen;
  }
  void TearDown() override {
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
  uint32_t Pixel(int x, int y) const { return pixels[y * kWidth + x] & 0xFFFFFF; }
  int CountInside(uint32_t colour) const {
    int n = 0;
    for (int y = kTop; y < kTop + kLabelHeight; ++y)
      for (int x = kLeft; x < kLeft + kLabelWidth; ++x) n += Pixel(x, y) == colour;
    return n;
  }
  int32_t Draw(int32_t number, int32_t style, int32_t with_comment) {
    GdiFlush();
    int32_t r = farelib.ZE4_DrawSeiriken(plugin.c_str(), static_cast<int32_t>(reinterpret_cast<intptr_t>(dc)), kLeft, kTop, kLabelWidth,
                     kLabelHeight, number, style, with_comment);
    GdiFlush();
    return r;
  }

  static constexpr int kWidth = 200, kHeight = 100;
  static constexpr int kLeft = 20, kTop = 10, kLabelWidth = 120, kLabelHeight = 48;
  static constexpr uint32_t kGreen = 0x008000, kBlack = 0x000000, kWhite = 0xFFFFFF;
  const std::string plugin = support::BesideProgram("sample_plugin.dll");
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  uint32_t* pixels = nullptr;
};

TEST_F(SamplePlugin, DescribesItselfAndKeepsSettingsOnlyWhileHeld) {
  PluginInfo info{};
  ASSERT_EQ(farelib.ZE4_GetPlgInfo(plugin.c_str(), &info), 1);
  const int32_t want[FARE_PLUGIN_INFO_VALUES] = {1, 7, 120, 48};
  for (int i = 0; i < FARE_PLUGIN_INFO_VALUES; ++i) EXPECT_EQ(info.value[i], want[i]) << "value " << i;

  HMODULE held = LoadLibraryA(plugin.c_str());
  ASSERT_NE(held, nullptr);
  EXPECT_EQ(farelib.ZE4_SetPlgComment(plugin.c_str(), 2), 1);
  EXPECT_EQ(farelib.ZE4_SetCorpAddList(plugin.c_str(), 123), 1);
  ASSERT_EQ(farelib.ZE4_GetPlgInfo(plugin.c_str(), &info), 1);
  EXPECT_EQ(info.value[4], 2) << "the comment number, kept while the host holds the plug-in";
  EXPECT_EQ(info.value[5], 123) << "the operator number, kept while the host holds the plug-in";
  FreeLibrary(held);
  ASSERT_EQ(farelib.ZE4_GetPlgInfo(plugin.c_str(), &info), 1);
  EXPECT_EQ(info.value[4], 0) << "gone with the unloaded plug-in";
}

TEST_F(SamplePlugin, DrawsTheLabelInsideItsRectangleOnly) {
  SetTextColor(dc, RGB(1, 2, 3));
  struct Case {
    int32_t number, style;
    uint32_t paper, ink;
  } cases[] = {{12, 0, kWhite, kBlack}, {12, 1, kWhite, kBlack}, {-1, 1, kWhite, kBlack}, {345, 2, kBlack, kWhite}};
  for (const auto& c : cases) {
    for (int i = 0; i < kWidth * kHeight; ++i) pixels[i] = kGreen;
    ASSERT_EQ(Draw(c.number, c.style, 1), 1) << "number " << c.number << ", style " << c.style;
    const int area = kLabelWidth * kLabelHeight;
    EXPECT_EQ(CountInside(kGreen), 0) << "style " << c.style << ": the whole label is painted";
    EXPECT_GT(CountInside(c.ink), 20) << "style " << c.style << ": text was drawn";
    EXPECT_GT(CountInside(c.paper), area / 2) << "style " << c.style << ": on its paper colour";
    EXPECT_EQ(Pixel(kLeft, kTop), c.style == 1 ? kBlack : c.paper) << "style " << c.style << ": the frame";
    for (auto [x, y] : {std::pair{kLeft - 1, kTop}, {kLeft + kLabelWidth, kTop}, {kLeft, kTop - 1},
                        {kLeft, kTop + kLabelHeight}, {0, 0}, {kWidth - 1, kHeight - 1}})
      EXPECT_EQ(Pixel(x, y), kGreen) << "style " << c.style << ": outside the label at " << x << "," << y;
  }
  EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3)) << "the device context is left as it was found";
  EXPECT_EQ(Draw(1, 0, 0), 1);
  EXPECT_EQ(farelib.ZE4_DrawSeiriken(plugin.c_str(), 0, kLeft, kTop, kLabelWidth, kLabelHeight, 1, 0, 0), 1)
      << "no device context: the plug-in draws nothing, the bridge still reports the call";
}

}  // namespace
