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

INT_PTR CALLBACK DateProc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  DateDialog& d = g_dlg111;
  switch (message) {
    case WM_INITDIALOG:
      d.calendar.Create(dialog, kCalendarX, kCalendarY, kCalendarWidth, kCalendarHeight);
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
