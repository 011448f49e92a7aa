#include "dialogs/dialog_frame_win.h"

#include "core/store_win.h"

namespace farelib::dlg {

static_assert(kOkButton == IDOK && kCancelButton == IDCANCEL);

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
