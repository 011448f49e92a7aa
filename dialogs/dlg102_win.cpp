// Call_dlg102: "情報用数字の設定", the board's information numbers.
#include <windows.h>

#include <cstring>

#include "dialogs/dialog_frame_win.h"
#include "dialogs/templates.h"
#include "farelib.h"

namespace farelib::dlg {
namespace {

struct InfoNumberDialog {
  InfoNumberState state;
  ComboBoxRef combos[kInfoComboCount];  // 10..14
};
InfoNumberDialog g_dlg102;

INT_PTR CALLBACK InfoNumberProc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  InfoNumberDialog& d = g_dlg102;
  if (message == WM_INITDIALOG) {
    for (int k = 0; k < kInfoComboCount; ++k) {
      d.combos[k].Attach(GetDlgItem(dialog, 10 + k));
      d.combos[k].ResetContent();
    }
    // The four cell lists get "1".."N", the column list "1".."150". Each
    // list is filled in one go (filling them side by side shows the same
    // lists but makes the platform move growing item arrays around).
    std::int32_t cells = InfoItemCount(0, d.state.CellCount);
    const int cell_lists[] = {0, 1, 2, 4};
    for (int k : cell_lists) FillList(d.combos[k], cells, [](std::int32_t i) { return NumberItem(i + 1); });
    FillList(d.combos[3], kColumnItemCount, [](std::int32_t i) { return NumberItem(i + 1); });
    for (int k = 0; k < kInfoComboCount; ++k) d.combos[k].SetCurSel(InfoInitialSelection(d.state.Record, k));
    for (int k = 0; k < kInfoComboCount; ++k)
      SetCheck(dialog, kFirstInfoCheckBox + k, InfoField(d.state.Record, 5 + k));
  } else if (message == WM_COMMAND) {
    switch (wparam & 0xFFFF) {
      case IDOK: {
        std::int32_t selections[kInfoComboCount], checks[kInfoComboCount];
        for (int k = 0; k < kInfoComboCount; ++k) d.combos[k].Attach(GetDlgItem(dialog, 10 + k));  // see Call_dlg100
        for (int k = 0; k < kInfoComboCount; ++k) selections[k] = d.combos[k].GetCurSel();
        for (int k = 0; k < kInfoComboCount; ++k) checks[k] = GetCheck(dialog, kFirstInfoCheckBox + k);
        EndDialog(dialog, InfoNumberOk(&d.state.Record, selections, checks));
        break;
      }
      case IDCANCEL:
        EndDialog(dialog, 0);
        break;
      default:
        break;
    }
  }
  return 0;
}

}  // namespace
}  // namespace farelib::dlg

extern "C" int32_t WINAPI Call_dlg102(HWND owner, int32_t cell_count, InfoNumberSettings* settings) {
  using namespace farelib::dlg;
  InfoNumberState& s = g_dlg102.state;
  std::memcpy(&s.Record, settings, sizeof s.Record);
  s.CellCount = static_cast<int16_t>(cell_count);
  INT_PTR r = RunDialog(kInfoNumberTemplate, owner, InfoNumberProc);
  return FinishInfoNumber(s, r, settings);
}
