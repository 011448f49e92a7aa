// The About box ("Zelvoのバージョン情報", Call_dlg110, both DLLs) and the date
// picker ("日付の設定", Call_dlg111, farelib4 only): their templates, tables
// and the little logic that needs no platform.
//
// The two templates live in separate units so that farelib3, which never
// names the date template, does not carry it.
#ifndef FARELIB_DIALOGS_ABOUT_DATE_H
#define FARELIB_DIALOGS_ABOUT_DATE_H

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

}  // namespace farelib::dlg

#endif
