#include "dialogs/dialog_frame_win.h"

#include "core/store_win.h"

namespace farelib::dlg {

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

void BeginFill(const ComboBoxRef&, std::int32_t) {}
void EndFill(const ComboBoxRef&, std::int32_t) {}

INT_PTR RunDialog(const TemplateRef& dialog_template, HWND owner, DLGPROC procedure) {
  return DialogBoxIndirectParamA(g_module, reinterpret_cast<LPCDLGTEMPLATEA>(dialog_template.bytes), owner,
                                 procedure, 0);
}

}  // namespace farelib::dlg
