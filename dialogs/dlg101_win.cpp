// Call_dlg101: "整理券番号の設定", the ticket number format of the board.
#include <windows.h>

#include "core/store_win.h"
#include "dialogs/dialog_frame_win.h"
#include "dialogs/templates.h"
#include "farelib.h"

namespace farelib::dlg {
namespace {

struct TicketFormatDialog {
  TicketFormatState state;
  ComboBoxRef formats;
};
TicketFormatDialog g_dlg101;
constexpr ControlSlot<ComboBoxRef> kCombos[] = {{&g_dlg101.formats, kFormatCombo}};

INT_PTR CALLBACK TicketFormatProc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  TicketFormatDialog& d = g_dlg101;
  if (message == WM_INITDIALOG) {
    SetCheck(dialog, kLeadingZeroCheck, d.state.LeadingZero);
    AttachToOwnControls(dialog, kCombos);
    // Unlike the other dialogs, which release each item text as soon as it is
    // added (FillList), this one builds all twelve texts, adds them, makes the
    // selection and only then releases them: that order is part of this
    // dialog's design. The combo box copies each text, so it shows the same.
    char* texts[kTicketFormatCount];
    for (int i = 0; i < kTicketFormatCount; ++i)
      texts[i] = MakeItemString(g_strings, TicketFormatItem(i, d.state.CellCount));
    for (char* text : texts) d.formats.AddString(text);
    d.formats.SetCurSel(d.state.FormatIndex);
    for (char* text : texts) g_strings.Release(text);
  } else if (message == WM_COMMAND) {
    switch (wparam & 0xFFFF) {
      case kOkButton:
        AttachToOwnControls(dialog, kCombos);
        EndDialog(dialog, TicketFormatOk(&d.state, GetCheck(dialog, kLeadingZeroCheck), d.formats.GetCurSel()));
        break;
      case kCancelButton:  // and Esc
        EndDialog(dialog, 0);
        break;
      case kLeadingZeroCheck:  // a manual check box: the procedure toggles it
        SetCheck(dialog, kLeadingZeroCheck, ToggledCheck(GetCheck(dialog, kLeadingZeroCheck)));
        break;
      default:
        break;
    }
  }
  return 0;
}

}  // namespace
}  // namespace farelib::dlg

extern "C" int32_t WINAPI Call_dlg101(HWND owner, int32_t cell_count, int16_t* format_index,
                                      int16_t* leading_zero) {
  using namespace farelib::dlg;
  TicketFormatState& s = g_dlg101.state;
  s.CellCount = static_cast<int16_t>(cell_count);
  s.FormatIndex = *format_index;
  s.LeadingZero = *leading_zero;
  INT_PTR r = RunDialog(kTicketFormatTemplate, owner, TicketFormatProc);
  return FinishTicketFormat(s, r, format_index, leading_zero);
}
