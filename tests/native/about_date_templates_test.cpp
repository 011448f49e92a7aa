// The About and date templates, decoded from their bytes and compared with
// the layouts they must have; and the small platform-free rules of the two
// dialogs.
#include "dialogs/about_date.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dialogs/template_decode.h"

namespace {

using farelib::dlg::DecodedTemplate;
using farelib::dlg::DecodeTemplate;
using farelib::dlg::TemplateRef;

struct Row {
  std::uint16_t id, atom;
  std::uint32_t style;
  std::int16_t x, y, cx, cy;
  std::u16string text;
};

struct Layout {
  std::uint32_t style;
  std::int16_t cx, cy;
  std::u16string title;
  std::vector<Row> rows;
  std::size_t size;
};

void ExpectLayout(const char* name, const TemplateRef& t, const Layout& want) {
  DecodedTemplate got;
  std::string error;
  ASSERT_TRUE(DecodeTemplate(t.bytes, t.size, &got, &error)) << name << ": " << error;
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(t.bytes) % 4, 0u) << name << ": starts on a 4-byte boundary";
  EXPECT_EQ(t.size, want.size) << name;
  EXPECT_EQ(got.size, t.size) << name << ": nothing after the last item";
  EXPECT_EQ(got.style, want.style) << name;
  EXPECT_EQ(got.ex_style, 0u) << name;
  EXPECT_EQ(got.x, 0);
  EXPECT_EQ(got.y, 0);
  EXPECT_EQ(got.cx, want.cx) << name;
  EXPECT_EQ(got.cy, want.cy) << name;
  EXPECT_EQ(got.menu, 0u);
  EXPECT_EQ(got.window_class, 0u);
  EXPECT_TRUE(got.title == want.title) << name << ": title";
  EXPECT_EQ(got.point_size, 9u);
  EXPECT_TRUE(got.typeface == u"\uFF2D\uFF33\u0020\uFF30\u30B4\u30B7\u30C3\u30AF") << name << ": typeface";
  ASSERT_EQ(got.controls.size(), want.rows.size()) << name;
  for (std::size_t i = 0; i < want.rows.size(); ++i) {
    const auto& g = got.controls[i];
    const Row& w = want.rows[i];
    EXPECT_EQ(g.offset % 4, 0u) << name << " row " << i;
    EXPECT_EQ(g.id, w.id) << name << " row " << i;
    EXPECT_EQ(g.class_marker, 0xFFFFu) << name << " row " << i;
    EXPECT_EQ(g.class_atom, w.atom) << name << " row " << i;
    EXPECT_EQ(g.style, w.style) << name << " row " << i << std::hex << ": want 0x" << w.style << ", got 0x" << g.style;
    EXPECT_EQ(g.ex_style, 0u) << name << " row " << i;
    EXPECT_EQ(g.x, w.x) << name << " row " << i;
    EXPECT_EQ(g.y, w.y) << name << " row " << i;
    EXPECT_EQ(g.cx, w.cx) << name << " row " << i;
    EXPECT_EQ(g.cy, w.cy) << name << " row " << i;
    EXPECT_TRUE(g.text == w.text) << name << " row " << i << ": text";
    EXPECT_EQ(g.creation_size, 0u) << name << " row " << i;
  }
}

constexpr std::uint16_t kButton = 0x80, kEdit = 0x81, kStatic = 0x82;

TEST(AboutDateTemplates, AboutLayout) {
  ExpectLayout("About", farelib::dlg::kAboutTemplate,
               {0x80C000C0, 257, 138, u"Zelvoのバージョン情報",
                {
                    {1, kButton, 0x50010001, 197, 120, 50, 14, u"OK"},
                    {0, kStatic, 0x50021000, -1, 113, 258, 1, u""},
                    {2, kStatic, 0x5002000E, 0, 1, 120, 110, u""},
                    {10, kEdit, 0x50011884, 124, 2, 130, 110, u""},
                    {12, kButton, 0x50010000, 4, 120, 146, 13, u"ここをクリックするとVantrelHPへジャンプします"},
                },
                268});
}

TEST(AboutDateTemplates, DateLayout) {
  ExpectLayout("date", farelib::dlg::kDateTemplate,
               {0x80C800C0, 98, 125, u"日付の設定", {{1, kButton, 0x50010001, 26, 107, 44, 14, u"OK"}}, 86});
}

TEST(AboutDateTemplates, EmptyTextsAreOneZeroUnit) {
  // The sunken rule (row 1) has an empty text: 2 bytes, then the creation
  // data size, and the picture's item starts on the next multiple of 4.
  DecodedTemplate got;
  std::string error;
  const TemplateRef& t = farelib::dlg::kAboutTemplate;
  ASSERT_TRUE(DecodeTemplate(t.bytes, t.size, &got, &error)) << error;
  ASSERT_EQ(got.controls.size(), 5u);
  EXPECT_EQ(got.controls[2].offset, got.controls[1].offset + 28) << "a 26-byte item, then 2 bytes of gap";
  EXPECT_EQ(t.bytes[got.controls[1].offset + 22], 0);
  EXPECT_EQ(t.bytes[got.controls[1].offset + 23], 0);
}

TEST(AboutDialogRules, PictureBySelector) {
  struct Case {
    std::int32_t selector;
    int id;
  } cases[] = {{1, FARELIB_BITMAP_BOARD}, {0, FARELIB_BITMAP_BUS},   {2, FARELIB_BITMAP_BUS},
               {-1, FARELIB_BITMAP_BUS},   {257, FARELIB_BITMAP_BUS}, {INT32_MIN, FARELIB_BITMAP_BUS}};
  for (const auto& c : cases)
    EXPECT_EQ(farelib::dlg::AboutBitmapId(c.selector), c.id) << "selector " << c.selector;
}

TEST(DateDialogRules, CalendarSize) {
  struct Case {
    std::int32_t w, h, want_w, want_h;
  } cases[] = {{-1, -1, 128, 144}, {-1, 140, -1, 140}, {130, -1, 130, -1}, {130, 140, 130, 140}, {0, 0, 0, 0}};
  for (const auto& c : cases) {
    auto s = farelib::dlg::CalendarSize(c.w, c.h);
    EXPECT_EQ(s.width, c.want_w) << c.w << " x " << c.h;
    EXPECT_EQ(s.height, c.want_h) << c.w << " x " << c.h;
  }
}

TEST(DateDialogRules, CalendarGetsTheWholeMonthAndOkStaysClear) {
  using farelib::dlg::FitDateDialog;
  using farelib::dlg::PixelRect;
  const PixelRect ok{39, 174, 105, 195};  // OK of the template in some font
  const farelib::dlg::PixelSize client{147, 203};
  auto fit = FitDateDialog({130, 140}, ok, client);
  EXPECT_FALSE(fit.changed) << "a month that fits keeps the template's geometry";
  EXPECT_EQ((std::vector<int>{fit.calendar.left, fit.calendar.top, fit.calendar.right, fit.calendar.bottom}),
            (std::vector<int>{15, 15, 145, 155}));
  struct Case {
    std::int32_t min_w, min_h;
    PixelRect ok;
  } cases[] = {{252, 180, ok}, {120, 160, ok}, {200, 100, ok}, {140, 150, {39, 150, 105, 170}}};
  for (const auto& c : cases) {
    SCOPED_TRACE("minimum " + std::to_string(c.min_w) + " x " + std::to_string(c.min_h));
    auto l = FitDateDialog({c.min_w, c.min_h}, c.ok, client);
    EXPECT_TRUE(l.changed);
    EXPECT_EQ(l.calendar.left, 15);
    EXPECT_EQ(l.calendar.top, 15);
    EXPECT_EQ(l.calendar.right - l.calendar.left, std::max(c.min_w, 130));
    EXPECT_EQ(l.calendar.bottom - l.calendar.top, std::max(c.min_h, 140));
    EXPECT_EQ(l.ok.right - l.ok.left, c.ok.right - c.ok.left) << "OK keeps its size";
    EXPECT_EQ(l.ok.bottom - l.ok.top, c.ok.bottom - c.ok.top);
    EXPECT_GE(l.ok.top, l.calendar.bottom + farelib::dlg::kCalendarGap) << "OK below the calendar, clear of it";
    EXPECT_GE(l.client.width, std::max(l.calendar.right + 15, l.ok.right)) << "both inside, margins kept";
    EXPECT_GE(l.client.height, l.ok.bottom + (client.height - c.ok.bottom));
  }
}

}  // namespace
