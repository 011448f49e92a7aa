// MonthCalendarRef: the date dialog's month calendar, created at run time as
// a child window of class "SysMonthCal32" (farelib4 only).
#ifndef FARELIB_DIALOGS_MONTH_CALENDAR_WIN_H
#define FARELIB_DIALOGS_MONTH_CALENDAR_WIN_H

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

namespace farelib::dlg {

class MonthCalendarRef {
 public:
  // Registers the date control classes (every time), then creates and shows
  // the calendar in parent at x, y with the given size in pixels (-1 for
  // both: 128 x 144). The window has no name and no id, and the instance of
  // the process's executable. The result is kept without a check.
  void Create(HWND parent, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);
  // Points the wrapper at an existing calendar (or none): see
  // AttachToOwnControls.
  void Attach(HWND window) { window_ = window; }
  // MCM_GETCURSEL into *record: nonzero when the control wrote the date.
  std::int32_t GetSelectedDate(SYSTEMTIME* record) const;
  // MCM_GETMINREQRECT into *rect: the least size that shows a whole month in
  // the control's font; nonzero when the control wrote it.
  std::int32_t GetMinReqRect(RECT* rect) const {
    return static_cast<std::int32_t>(SendMessageA(window_, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(rect)));
  }

  HWND window() const { return window_; }

 private:
  // Create writes every field before it reads any, so a wrapper needs no
  // zeroing first; only window_ is read afterwards (by GetSelectedDate). The others are the wrapper's record of how its
  // calendar was made: the common-controls request, the style slots that
  // Create ORs into the window styles, the parent and the geometry. No code
  // reads them back; they are kept because the date dialog's design lays the
  // wrapper out this way, and they show a debugger what Create did.
  HWND window_;
  INITCOMMONCONTROLSEX request_;
  HWND parent_;
  std::uint32_t style_[8];     // OR-ed into the window style: slot 0 WS_VISIBLE, slot 1 WS_CHILD
  std::uint32_t ex_style_[6];  // OR-ed into the extended style: all 0
  std::int32_t x_, y_, width_, height_;
};

}  // namespace farelib::dlg

#endif
