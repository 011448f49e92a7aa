// MonthCalendarRef on a real window: the size rule for -1 x -1, and the
// window it makes.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <new>

#include "dialogs/month_calendar_win.h"

namespace {

// A wrapper made in memory that holds `fill` in every byte, as a wrapper on
// the stack holds whatever was there before.
struct DirtyCalendar {
  explicit DirtyCalendar(unsigned char fill) {
    std::memset(storage, fill, sizeof storage);
    calendar = new (storage) farelib::dlg::MonthCalendarRef;
  }
  ~DirtyCalendar() { calendar->~MonthCalendarRef(); }
  alignas(farelib::dlg::MonthCalendarRef) unsigned char storage[sizeof(farelib::dlg::MonthCalendarRef)];
  farelib::dlg::MonthCalendarRef* calendar;
};

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

TEST(MonthCalendarRef, CreateNeedsNoZeroedWrapper) {
  HWND parent = CreateWindowExA(0, "STATIC", "parent", WS_OVERLAPPEDWINDOW, 0, 0, 400, 400, nullptr, nullptr,
                                nullptr, nullptr);
  ASSERT_NE(parent, nullptr);
  farelib::dlg::MonthCalendarRef zeroed{};
  zeroed.Create(parent, 15, 15, 130, 140);
  ASSERT_NE(zeroed.window(), nullptr);
  const LONG_PTR want_style = GetWindowLongPtrA(zeroed.window(), GWL_STYLE);
  const LONG_PTR want_ex_style = GetWindowLongPtrA(zeroed.window(), GWL_EXSTYLE);
  EXPECT_EQ(want_style & (WS_CHILD | WS_VISIBLE | WS_POPUP), WS_CHILD | WS_VISIBLE);
  for (unsigned char fill : {0x00, 0x5A, 0xFF}) {
    DirtyCalendar dirty(fill);
    dirty.calendar->Create(parent, 15, 15, 130, 140);
    HWND w = dirty.calendar->window();
    ASSERT_NE(w, nullptr) << "wrapper filled with " << int{fill};
    EXPECT_EQ(GetWindowLongPtrA(w, GWL_STYLE), want_style) << "window style, wrapper filled with " << int{fill};
    EXPECT_EQ(GetWindowLongPtrA(w, GWL_EXSTYLE), want_ex_style)
        << "extended style, wrapper filled with " << int{fill};
    DestroyWindow(w);
  }
  DestroyWindow(zeroed.window());
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
