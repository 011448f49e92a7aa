// The About box ("Zelvoのバージョン情報", Call_dlg110, both DLLs) and the date
// picker ("日付の設定", Call_dlg111, farelib4 only): their templates, tables
// and the little logic that needs no platform.
//
// The two templates live in separate units so that farelib3, which never
// names the date template, does not carry it.
#ifndef FARELIB_DIALOGS_ABOUT_DATE_H
#define FARELIB_DIALOGS_ABOUT_DATE_H

#include <algorithm>
#include <cstdint>

#include "dialogs/dialog_template.h"
#include "dialogs/templates.h"
#include "resources/resource_ids.h"

namespace farelib::dlg {

// ---- About ----
extern const TemplateRef kAboutTemplate;  // 5 controls, 268 bytes
extern const TemplateTable kAboutTable;

// Whether the About box releases the homepage text as soon as the shell has
// opened it (farelib3), or leaves it in the store like any text that
// VantrelHpURL hands out (farelib4). Each DLL defines it in its variant file.
extern const bool kAboutReleasesHomepageText;

// Selector 1 shows the fare board; every other value the bus.
constexpr int AboutBitmapId(std::int32_t selector) {
  return selector == 1 ? FARELIB_BITMAP_BOARD : FARELIB_BITMAP_BUS;
}

// ---- Date ----
extern const TemplateRef kDateTemplate;  // 1 control, with a close box
extern const TemplateTable kDateTable;

// Where the month calendar goes in the date dialog's client area, in pixels.
inline constexpr std::int32_t kCalendarX = 15, kCalendarY = 15, kCalendarWidth = 130, kCalendarHeight = 140;

struct PixelSize {
  std::int32_t width, height;
};
// The size a month calendar is created with: -1 for both means the default
// 128 x 144; a single -1 is passed on as it is.
constexpr PixelSize CalendarSize(std::int32_t width, std::int32_t height) {
  if (width == -1 && height == -1) return {128, 144};
  return {width, height};
}

// Rectangles in pixels of the dialog's client area (right and bottom
// exclusive).
struct PixelRect {
  std::int32_t left, top, right, bottom;
};

// The date dialog once its calendar is in place. The calendar's own minimum
// (MCM_GETMINREQRECT) depends on its font: where the whole month fits in
// 130 x 140, nothing moves. Where it does not (a larger font, as under
// Wine's font mapping), 130 x 140 would cut off weekday columns and the
// next-month button, so the calendar gets the size it asks for (each side
// at least 130 x 140), OK moves with it, keeping its gap below the calendar
// (at least kCalendarGap) and its place relative to the calendar's middle,
// and the client area grows to hold both with the margins they had: at least
// the calendar's left margin right of it, and OK's bottom margin below OK.
inline constexpr std::int32_t kCalendarGap = 4;
struct DateLayout {
  bool changed;
  PixelRect calendar, ok;
  PixelSize client;
};
constexpr DateLayout FitDateDialog(PixelSize calendar_min, PixelRect ok, PixelSize client) {
  const PixelRect calendar{kCalendarX, kCalendarY, kCalendarX + kCalendarWidth, kCalendarY + kCalendarHeight};
  if (calendar_min.width <= kCalendarWidth && calendar_min.height <= kCalendarHeight)
    return {false, calendar, ok, client};
  const std::int32_t width = std::max(calendar_min.width, kCalendarWidth);
  const std::int32_t height = std::max(calendar_min.height, kCalendarHeight);
  const PixelRect grown{kCalendarX, kCalendarY, kCalendarX + width, kCalendarY + height};
  const std::int32_t gap = std::max(ok.top - calendar.bottom, kCalendarGap);
  const std::int32_t dx = (width - kCalendarWidth) / 2, dy = grown.bottom + gap - ok.top;
  const PixelRect moved{ok.left + dx, ok.top + dy, ok.right + dx, ok.bottom + dy};
  const std::int32_t bottom_margin = std::max(client.height - ok.bottom, 0);
  const PixelSize grown_client{std::max({client.width, grown.right + kCalendarX, moved.right}),
                               std::max(client.height, moved.bottom + bottom_margin)};
  return {true, grown, moved, grown_client};
}

}  // namespace farelib::dlg

#endif
