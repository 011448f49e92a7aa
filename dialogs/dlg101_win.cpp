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
  ComboBoxRef formats;  // 10
};
TicketFormatDialog g_dlg101;

INT_PTR CALLBACK TicketFormatProc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  TicketFormatDialog& d = g_dlg101;
  if (message == WM_INITDIALOG) {
    SetCheck(dialog, kLeadingZeroCheckBox, d.state.LeadingZero);
    d.formats.Attach(GetDlgItem(dialog, 10));
    char* texts[kTicketFormatCount];
    for (int i = 0; i < kTicketFormatCount; ++i) texts[i] = MakeItemString(TicketFormatItem(i, d.state.CellCount));
    for (char* text : texts) d.formats.AddString(text);
    d.formats.SetCurSel(d.state.FormatIndex);
    for (char* text : texts) g_strings.Release(text);
  } else if (message == WM_COMMAND) {
    switch (wparam & 0xFFFF) {
      case IDOK:
        d.formats.Attach(GetDlgItem(dialog, 10));  // again: see Call_dlg100
        EndDialog(dialog, TicketFormatOk(&d.state, GetCheck(dialog, kLeadingZeroCheckBox), d.formats.GetCurSel()));
        break;
      case IDCANCEL:
        EndDialog(dialog, 0);
        break;
      case kLeadingZeroCheckBox:  // a manual check box: the procedure toggles it
        SetCheck(dialog, kLeadingZeroCheckBox, ToggledCheck(GetCheck(dialog, kLeadingZeroCheckBox)));
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
