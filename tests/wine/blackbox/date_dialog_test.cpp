// The date dialog (farelib4 only) driven as a person would. Each test case
// runs in a fresh process, so "before any OK" means a freshly loaded DLL.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "support/dialog_driver.h"
#include "support/farelib_loader.h"
#include "support/hex.h"
#include "support/nesting_host.h"

namespace {

const wchar_t kTitle[] = L"日付の設定";

std::string Bytes(const SYSTEMTIME& t) {
  return support::Hex(std::string(reinterpret_cast<const char*>(&t), sizeof t));
}
std::string Ymd(const SYSTEMTIME& t) {
  return std::to_string(t.wYear) + "-" + std::to_string(t.wMonth) + "-" + std::to_string(t.wDay) + " (day " +
         std::to_string(t.wDayOfWeek) + ")";
}

// The month calendar child of the running dialog.
HWND Calendar(fldlg::Dialog& d) { return FindWindowExA(d.hwnd(), nullptr, "SysMonthCal32", nullptr); }

class DateDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(farelib.LoadBeside("farelib4.dll"));
    ASSERT_NE(farelib.Call_dlg111, nullptr);
  }
  // Runs the dialog on a host record full of 0xAB; returns the result.
  int32_t Run(SYSTEMTIME* date, std::function<void(fldlg::Dialog&)> body) {
    std::memset(date, 0xAB, sizeof *date);
    fldlg::Script script(std::move(body), kTitle);
    int32_t r = farelib.Call_dlg111(nullptr, date);
    EXPECT_TRUE(script.Finish()) << script.error();
    return r;
  }
  support::Farelib farelib;
};

const SYSTEMTIME kZero{};

TEST_F(DateDialog, CloseBoxBeforeAnyOkGivesZeros) {
  SYSTEMTIME date;
  int32_t r = Run(&date, [](fldlg::Dialog& d) {
    d.PressKey(VK_ESCAPE);
    EXPECT_TRUE(d.IsOpen()) << "Esc does nothing";
    SendMessageA(d.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box
  });
  EXPECT_EQ(r, 0);
  EXPECT_EQ(Bytes(date), Bytes(kZero)) << "16 zero bytes before any OK";
}

TEST_F(DateDialog, WmCloseBeforeAnyOkGivesZeros) {
  SYSTEMTIME date;
  EXPECT_EQ(Run(&date, [](fldlg::Dialog& d) { PostMessageA(d.hwnd(), WM_CLOSE, 0, 0); }), 0);
  EXPECT_EQ(Bytes(date), Bytes(kZero));
}

TEST_F(DateDialog, EnterGivesTodayWhateverTheHostPassed) {
  SYSTEMTIME date, shown{};
  int32_t r = Run(&date, [&](fldlg::Dialog& d) {
    HWND cal = Calendar(d);
    ASSERT_NE(cal, nullptr) << "a month calendar";
    SendMessageA(cal, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&shown));
    d.PressKey(VK_RETURN);
  });
  SYSTEMTIME today;
  GetLocalTime(&today);
  EXPECT_EQ(r, 1) << "Enter is OK";
  EXPECT_EQ(Ymd(date), Ymd(today)) << "the calendar opens on today, not on the host's record";
  EXPECT_EQ(Ymd(date), Ymd(shown));
}

TEST_F(DateDialog, DateOfTheLastOkSurvivesACloseBox) {
  SYSTEMTIME leap{};
  leap.wYear = 2024;
  leap.wMonth = 2;
  leap.wDay = 29;
  leap.wDayOfWeek = 4;
  SYSTEMTIME first, second;
  int32_t r1 = Run(&first, [&](fldlg::Dialog& d) {
    ASSERT_TRUE(SendMessageA(Calendar(d), MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&leap)));
    d.Click(IDOK);
  });
  EXPECT_EQ(r1, 1);
  EXPECT_EQ(Ymd(first), Ymd(leap));
  int32_t r2 = Run(&second, [](fldlg::Dialog& d) {
    d.Command(IDCANCEL);
    EXPECT_TRUE(d.IsOpen()) << "command 2 does nothing";
    SendMessageA(d.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
  });
  EXPECT_EQ(r2, 0);
  EXPECT_EQ(Bytes(second), Bytes(first)) << "the close box hands back the date of the last OK";
}

// A control's rectangle in the dialog's client area.
RECT InClient(HWND dialog, HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}
std::string Text(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + " x " +
         std::to_string(r.bottom - r.top);
}

// The calendar shows a whole month: 130 x 140 at 15, 15 where that holds
// one in its font, else the size it asks for, with OK and the dialog grown
// to fit.
TEST_F(DateDialog, CalendarCreatedAtRunTimeShowsAWholeMonth) {
  SYSTEMTIME date;
  Run(&date, [](fldlg::Dialog& d) {
    EXPECT_EQ(GetWindowLongA(d.hwnd(), GWL_STYLE) & WS_SYSMENU, WS_SYSMENU) << "a close box";
    HWND cal = Calendar(d);
    ASSERT_NE(cal, nullptr);
    RECT min{}, client{};
    ASSERT_TRUE(SendMessageA(cal, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&min)));
    GetClientRect(d.hwnd(), &client);
    const RECT r = InClient(d.hwnd(), cal), ok = InClient(d.hwnd(), GetDlgItem(d.hwnd(), IDOK));
    const LONG min_w = min.right - min.left, min_h = min.bottom - min.top;
    SCOPED_TRACE("minimum " + std::to_string(min_w) + " x " + std::to_string(min_h) + ", calendar " + Text(r) +
                 ", OK " + Text(ok) + ", client " + Text(client));
    EXPECT_EQ(r.left, 15);
    EXPECT_EQ(r.top, 15);
    if (min_w <= 130 && min_h <= 140) {
      EXPECT_EQ(r.right - r.left, 130);
      EXPECT_EQ(r.bottom - r.top, 140);
    } else {
      EXPECT_GE(r.right - r.left, std::max(min_w, 130L)) << "wide enough for seven days and both arrows";
      EXPECT_GE(r.bottom - r.top, std::max(min_h, 140L));
    }
    EXPECT_TRUE(r.right <= client.right && r.bottom <= client.bottom) << "the calendar inside the client area";
    EXPECT_TRUE(ok.left >= 0 && ok.right <= client.right && ok.bottom <= client.bottom) << "OK inside it";
    EXPECT_GE(ok.top, r.bottom) << "OK clear of the calendar";
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(cal, GWL_STYLE)) & ~WS_CLIPSIBLINGS, WS_CHILD | WS_VISIBLE)
        << "none of the calendar's own styles";
    EXPECT_EQ(GetWindowLongA(cal, GWL_EXSTYLE) & ~WS_EX_NOPARENTNOTIFY, 0);
    EXPECT_EQ(GetDlgCtrlID(cal), 0) << "no control id";
    EXPECT_EQ(reinterpret_cast<HMODULE>(GetWindowLongPtrA(cal, GWLP_HINSTANCE)), GetModuleHandleA(nullptr))
        << "the executable's instance";
    d.PressKey(VK_RETURN);
  });
}

// A host window that the open dialog's modal loop serves opens the date
// dialog again; the first dialog must still hand back its own calendar's date.
TEST_F(DateDialog, NestedCallLeavesTheOpenDialogIntact) {
  support::NestingHost host;
  ASSERT_TRUE(host.ok());
  SYSTEMTIME d1{}, d2{};
  d1.wYear = 2023, d1.wMonth = 7, d1.wDay = 14, d1.wDayOfWeek = 5;
  d2.wYear = 2025, d2.wMonth = 1, d2.wDay = 2, d2.wDayOfWeek = 4;
  SYSTEMTIME outer, inner;
  int32_t inner_r = -2;
  bool inner_driven = false;
  int32_t r = Run(&outer, [&](fldlg::Dialog& d) {
    ASSERT_TRUE(SendMessageA(Calendar(d), MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&d1)));
    bool ran = host.RunThere([&] {
      fldlg::Script script([&](fldlg::Dialog& second) {
        SendMessageA(Calendar(second), MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&d2));
        second.Click(IDOK);
      }, kTitle);
      inner_r = farelib.Call_dlg111(d.hwnd(), &inner);
      inner_driven = script.Finish();
    }, fldlg::kTimeoutMs);
    EXPECT_TRUE(ran) << "the nested dialog did not end";
    d.Click(IDOK);
  });
  EXPECT_TRUE(inner_driven);
  EXPECT_EQ(inner_r, 1);
  EXPECT_EQ(Ymd(inner), Ymd(d2));
  EXPECT_EQ(r, 1);
  EXPECT_EQ(Ymd(outer), Ymd(d1)) << "the date the first dialog showed at OK";
}

TEST_F(DateDialog, NoDialogStillWritesTheHeldDate) {
  SYSTEMTIME date;
  std::memset(&date, 0xAB, sizeof date);
  HWND not_a_window = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234));
  EXPECT_EQ(farelib.Call_dlg111(not_a_window, &date), 0) << "an owner that is no window";
  EXPECT_EQ(Bytes(date), Bytes(kZero)) << "the date held (none yet) is written all the same";
}

TEST(DateDialogFarelib3, HasNone) {
  support::Farelib farelib3;
  ASSERT_TRUE(farelib3.LoadBeside("farelib3.dll"));
  EXPECT_EQ(farelib3.Call_dlg111, nullptr);
}

}  // namespace
