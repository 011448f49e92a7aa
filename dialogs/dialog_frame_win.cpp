#include "dialogs/dialog_frame_win.h"

#include "core/store_win.h"

namespace farelib::dlg {

static_assert(kOkButton == IDOK && kCancelButton == IDCANCEL);

// The template builder's style flags are the platform's.
static_assert(style::kPopup == WS_POPUP && style::kChild == WS_CHILD && style::kVisible == WS_VISIBLE);
static_assert(style::kCaption == WS_CAPTION && style::kSysMenu == WS_SYSMENU && style::kVScroll == WS_VSCROLL);
static_assert(style::kGroup == WS_GROUP && style::kTabStop == WS_TABSTOP);
static_assert(style::kModalFrame == DS_MODALFRAME && style::kSetFont == DS_SETFONT);
static_assert(style::kPushButton == BS_PUSHBUTTON && style::kDefPushButton == BS_DEFPUSHBUTTON);
static_assert(style::kCheckBox == BS_CHECKBOX && style::kAutoCheckBox == BS_AUTOCHECKBOX);
static_assert(style::kGroupBox == BS_GROUPBOX);
static_assert(style::kLeft == SS_LEFT && style::kSunken == SS_SUNKEN && style::kBitmap == SS_BITMAP);
static_assert(style::kDropDownList == CBS_DROPDOWNLIST && style::kDisableNoScroll == CBS_DISABLENOSCROLL);
static_assert(style::kEditLeft == ES_LEFT && style::kMultiLine == ES_MULTILINE);
static_assert(style::kAutoHScroll == ES_AUTOHSCROLL && style::kReadOnly == ES_READONLY);
static_assert(style::kWantReturn == ES_WANTRETURN);

void AddItem(const ComboBoxRef& combo, const ItemText& item) {
  TempString text(MakeItemString(g_strings, item));
  combo.AddString(text.get());
}

// Lists at least this long are filled with storage reserved and drawing off.
constexpr std::int32_t kLongList = 64;
// Bytes that one digit-list item takes at most: "32767桁" and its NUL.
constexpr std::int32_t kItemBytes = 8;

void BeginFill(const ComboBoxRef& combo, std::int32_t count) {
  if (count < kLongList) return;
  SendMessageA(combo.window(), WM_SETREDRAW, FALSE, 0);
  SendMessageA(combo.window(), CB_INITSTORAGE, static_cast<WPARAM>(count), static_cast<LPARAM>(count) * kItemBytes);
}

void EndFill(const ComboBoxRef& combo, std::int32_t count) {
  if (count < kLongList) return;
  SendMessageA(combo.window(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(combo.window(), nullptr, TRUE);
}

INT_PTR RunDialog(const TemplateRef& dialog_template, HWND owner, DLGPROC procedure) {
  // An owner that is no window shows no dialog and gives 0, on every
  // version of the platform (some give -1 instead).
  if (owner != nullptr && !IsWindow(owner)) return 0;
  return DialogBoxIndirectParamA(g_module, reinterpret_cast<LPCDLGTEMPLATEA>(dialog_template.bytes), owner,
                                 procedure, 0);
}

}  // namespace farelib::dlg
