// MonthCalendarRef on a real window: the size rule for -1 x -1, and the
// window it makes.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "dialogs/month_calendar_win.h"

namespace {

TEST(MonthCalendarRef, CreatesTheCalendarWithTheGivenOrDefaultSize) {
  HWND parent = CreateWindowExA(0, "STATIC", "parent", WS_OVERLAPPEDWINDOW, 0, 0, 400, 400, nullptr, nullptr,
                                nullptr, nullptr);
  ASSERT_NE(parent, nullptr);
  struct Case {
    int x, y, w, h, want_w, want_h;
  } cases[] = {{15, 15, 130, 140, 130, 140}, {3, 4, -1, -1, 128, 144}};
  for (const auto& c : cases) {
    farelib::dlg::MonthCalendarRef calendar{};
    calendar.Create(parent, c.x, c.y, c.w, c.h);
    HWND w = calendar.window();
    ASSERT_NE(w, nullptr) << c.w << " x " << c.h;
    char cls[32] = {};
    GetClassNameA(w, cls, sizeof cls);
    EXPECT_STREQ(cls, "SysMonthCal32");
    EXPECT_EQ(GetParent(w), parent);
    RECT r;
    GetWindowRect(w, &r);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, c.x);
    EXPECT_EQ(r.top, c.y);
    EXPECT_EQ(r.right - r.left, c.want_w) << c.w << " x " << c.h;
    EXPECT_EQ(r.bottom - r.top, c.want_h) << c.w << " x " << c.h;
    SYSTEMTIME t{}, today;
    EXPECT_NE(calendar.GetSelectedDate(&t), 0);
    GetLocalTime(&today);
    EXPECT_EQ(t.wYear, today.wYear);
    EXPECT_EQ(t.wMonth, today.wMonth);
    EXPECT_EQ(t.wDay, today.wDay);
    DestroyWindow(w);
  }
  DestroyWindow(parent);
}

TEST(MonthCalendarRef, NoWindowWritesNothing) {
  farelib::dlg::MonthCalendarRef calendar{};
  calendar.Create(nullptr, 0, 0, 130, 140);  // a child without a parent: no window
  SYSTEMTIME t;
  FillMemory(&t, sizeof t, 0xAB);
  EXPECT_EQ(calendar.GetSelectedDate(&t), 0);
  EXPECT_EQ(t.wYear, 0xABAB) << "the record is untouched";
}

}  // namespace
