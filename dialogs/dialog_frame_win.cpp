#include "dialogs/dialog_frame_win.h"

#include "core/store_win.h"

namespace farelib::dlg {

static_assert(kOkButton == IDOK && kCancelButton == IDCANCEL);

char* MakeItemString(const ItemText& item) {
  // prefix, number, suffix; empty fixed parts are left out
  char* text = nullptr;
  auto append = [&text](char* part) { text = text ? g_strings.Concatenate(text, part) : part; };
  if (item.prefix[0] != '\0') append(g_strings.CreateCopy(item.prefix, lstrlenA(item.prefix)));
  if (item.has_number) {
    char digits[11];
    append(g_strings.CreateCopy(digits, WriteDecimal(item.number, digits)));
  }
  if (item.suffix[0] != '\0') append(g_strings.CreateCopy(item.suffix, lstrlenA(item.suffix)));
  return text ? text : g_strings.CreateEmpty();
}

void AddItem(const ComboBoxRef& combo, const ItemText& item) {
  TempString text(MakeItemString(item));
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
