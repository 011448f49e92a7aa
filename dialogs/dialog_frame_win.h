// The Windows side of the settings dialogs: the combo box wrapper, check box
// access, list filling through the string store, and the modal call.
#ifndef FARELIB_DIALOGS_DIALOG_FRAME_WIN_H
#define FARELIB_DIALOGS_DIALOG_FRAME_WIN_H

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "dialogs/dialog_template.h"
#include "dialogs/settings_logic.h"

namespace farelib::dlg {

// One combo box of a running dialog. It never creates or destroys the
// window; after its dialog has ended the handle is stale until the next
// Attach. Each operation but Attach is one SendMessageA and hides nothing.
class ComboBoxRef {
 public:
  void Attach(HWND window) { window_ = window; }
  HWND window() const { return window_; }
  void ResetContent() const { SendMessageA(window_, CB_RESETCONTENT, 0, 0); }
  // text: NUL-terminated code page 932; the combo box keeps its own copy.
  void AddString(const char* text) const {
    SendMessageA(window_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
  // -1, or an index at or past the item count, leaves no item selected.
  void SetCurSel(std::int32_t index) const {
    SendMessageA(window_, CB_SETCURSEL, static_cast<WPARAM>(static_cast<INT_PTR>(index)), 0);
  }
  // The selected index, or -1 (CB_ERR) when none is selected.
  std::int32_t GetCurSel() const { return static_cast<std::int32_t>(SendMessageA(window_, CB_GETCURSEL, 0, 0)); }

 private:
  HWND window_;
};

// A wrapper in a dialog kind's module-level state (a ComboBoxRef, the date
// dialog's MonthCalendarRef) and the id of the control it stands for.
template <class Ref>
struct ControlSlot {
  Ref* ref;
  int id;
};

// Points each wrapper at the control with its id in `dialog`. A procedure
// does this when it fills its controls, and again at OK before it reads
// them: a second call of the same export made while this dialog is open
// (from a host window that its modal loop still serves) points the
// module-level wrappers at its own dialog, which is gone by the time this
// dialog's OK comes.
template <class Ref, std::size_t N>
void AttachToOwnControls(HWND dialog, const ControlSlot<Ref> (&slots)[N]) {
  for (const ControlSlot<Ref>& s : slots) s.ref->Attach(GetDlgItem(dialog, s.id));
}

// Check boxes: BM_SETCHECK with the state as given, BM_GETCHECK as it comes.
inline void SetCheck(HWND dialog, int id, std::int32_t state) {
  SendMessageA(GetDlgItem(dialog, id), BM_SETCHECK, static_cast<WPARAM>(static_cast<INT_PTR>(state)), 0);
}
inline std::int32_t GetCheck(HWND dialog, int id) {
  return static_cast<std::int32_t>(SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0));
}

// Adds `count` items, item(i) for i = 0 .. count - 1, each built in the
// string store and released once the combo box has copied it. Long lists are
// filled with the combo box's storage reserved and its drawing suspended;
// what it shows afterwards is the same.
template <class ItemFn>
void FillList(const ComboBoxRef& combo, std::int32_t count, ItemFn item);

// Shows the modal dialog: DialogBoxIndirectParamA with the library's module
// handle, the template, the host's window as owner, the procedure and 0.
// The result is EndDialog's value, -1 when the dialog cannot be created, and
// 0 when the owner is neither null nor a window.
INT_PTR RunDialog(const TemplateRef& dialog_template, HWND owner, DLGPROC procedure);

// ---- implementation ----

void AddItem(const ComboBoxRef& combo, const ItemText& item);
void BeginFill(const ComboBoxRef& combo, std::int32_t count);
void EndFill(const ComboBoxRef& combo, std::int32_t count);

template <class ItemFn>
void FillList(const ComboBoxRef& combo, std::int32_t count, ItemFn item) {
  BeginFill(combo, count);
  for (std::int32_t i = 0; i < count; ++i) AddItem(combo, item(i));
  EndFill(combo, count);
}

}  // namespace farelib::dlg

#endif
