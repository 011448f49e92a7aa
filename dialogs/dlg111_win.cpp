// Call_dlg111 (farelib4 only): "日付の設定", a month calendar and OK. The host
// gets the date picked at the last OK, whichever way this opening ended.
#include <windows.h>

#include <cstring>

#include "dialogs/about_date.h"
#include "dialogs/dialog_frame_win.h"
#include "dialogs/month_calendar_win.h"
#include "farelib.h"

namespace farelib::dlg {
namespace {

struct DateDialog {
  SYSTEMTIME picked;  // zero until the first OK; written only by OK
  MonthCalendarRef calendar;
};
DateDialog g_dlg111;
// The calendar is created without an id: the dialog's one child with id 0.
constexpr ControlSlot<MonthCalendarRef> kCalendar[] = {{&g_dlg111.calendar, 0}};

// A control's rectangle in its dialog's client area.
PixelRect ClientRectOf(HWND dialog, HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right, r.bottom};
}

// Where the calendar's font needs more than 130 x 140 for a whole month,
// gives it that room: the calendar, OK and the dialog grow (FitDateDialog).
// Nothing moves where the month fits, or where there is no calendar.
void FitToCalendar(HWND dialog, const MonthCalendarRef& calendar) {
  RECT min{};
  if (!calendar.window() || !calendar.GetMinReqRect(&min)) return;
  HWND ok = GetDlgItem(dialog, kOkButton);
  RECT client{}, frame{};
  GetClientRect(dialog, &client);
  GetWindowRect(dialog, &frame);
  const DateLayout l = FitDateDialog({min.right - min.left, min.bottom - min.top}, ClientRectOf(dialog, ok),
                                     {client.right, client.bottom});
  if (!l.changed) return;
  constexpr UINT kPlace = SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(calendar.window(), nullptr, l.calendar.left, l.calendar.top, l.calendar.right - l.calendar.left,
               l.calendar.bottom - l.calendar.top, kPlace);
  SetWindowPos(ok, nullptr, l.ok.left, l.ok.top, l.ok.right - l.ok.left, l.ok.bottom - l.ok.top, kPlace);
  SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left + l.client.width - client.right,
               frame.bottom - frame.top + l.client.height - client.bottom, kPlace | SWP_NOMOVE);
}

INT_PTR CALLBACK DateProc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  DateDialog& d = g_dlg111;
  switch (message) {
    case WM_INITDIALOG:
      d.calendar.Create(dialog, kCalendarX, kCalendarY, kCalendarWidth, kCalendarHeight);
      FitToCalendar(dialog, d.calendar);
      break;
    case WM_COMMAND:
      // OK (and Enter); Esc and every other command leave the dialog open.
      if ((wparam & 0xFFFF) == kOkButton) {
        AttachToOwnControls(dialog, kCalendar);
        d.calendar.GetSelectedDate(&d.picked);  // result ignored
        EndDialog(dialog, 1);
      }
      break;
    case WM_CLOSE:  // the close box, Alt+F4: the picked date is kept
      EndDialog(dialog, 0);
      break;
  }
  return 0;
}

}  // namespace
}  // namespace farelib::dlg

extern "C" int32_t WINAPI Call_dlg111(HWND owner, SYSTEMTIME* date) {
  using namespace farelib::dlg;
  INT_PTR r = RunDialog(kDateTemplate, owner, DateProc);
  std::memcpy(date, &g_dlg111.picked, sizeof g_dlg111.picked);  // whatever r is
  return static_cast<int32_t>(r);
}
