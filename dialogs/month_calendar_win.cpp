#include "dialogs/month_calendar_win.h"

#include "dialogs/about_date.h"

namespace farelib::dlg {

void MonthCalendarRef::Create(HWND parent, std::int32_t x, std::int32_t y, std::int32_t width,
                              std::int32_t height) {
  request_.dwSize = sizeof request_;  // 8
  request_.dwICC = ICC_DATE_CLASSES;
  InitCommonControlsEx(&request_);  // result ignored

  for (std::uint32_t& s : style_) s = 0;
  for (std::uint32_t& s : ex_style_) s = 0;
  style_[0] = WS_VISIBLE;
  style_[1] = WS_CHILD;
  DWORD window_style = 0, ex_style = 0;
  for (std::uint32_t s : style_) window_style |= s;
  for (std::uint32_t s : ex_style_) ex_style |= s;

  PixelSize size = CalendarSize(width, height);
  window_ = CreateWindowExA(ex_style, "SysMonthCal32", nullptr, window_style, x, y, size.width, size.height, parent,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
  parent_ = parent;
  x_ = x;
  y_ = y;
  width_ = size.width;
  height_ = size.height;
}

std::int32_t MonthCalendarRef::GetSelectedDate(SYSTEMTIME* record) const {
  return static_cast<std::int32_t>(SendMessageA(window_, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(record)));
}

}  // namespace farelib::dlg
