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
  ComboBoxRef combos[kInfoComboCount];  // combos[k]: InfoCombo(k)
};
InfoNumberDialog g_dlg102;
constexpr ControlSlot<ComboBoxRef> kCombos[kInfoComboCount] = {
    {&g_dlg102.combos[0], InfoCombo(0)}, {&g_dlg102.combos[1], InfoCombo(1)}, {&g_dlg102.combos[2], InfoCombo(2)},
    {&g_dlg102.combos[3], InfoCombo(3)}, {&g_dlg102.combos[4], InfoCombo(4)}};

ComboBoxRef& Combo(int id) { return g_dlg102.combos[id - InfoCombo(0)]; }

INT_PTR CALLBACK InfoNumberProc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  InfoNumberDialog& d = g_dlg102;
  if (message == WM_INITDIALOG) {
    AttachToOwnControls(dialog, kCombos);
    for (ComboBoxRef& combo : d.combos) combo.ResetContent();
    // The four cell lists get "1".."N", the column list "1".."150". Each
    // list is filled in one go (filling them side by side shows the same
    // lists but makes the platform move growing item arrays around).
    const std::int32_t cells = InfoItemCount(0, d.state.CellCount);
    auto number = [](std::int32_t i) { return NumberItem(i + 1); };
    for (int id : kInfoCellCombos) FillList(Combo(id), cells, number);
    FillList(Combo(kUserInfoColumnCombo), kColumnItemCount, number);
    for (int k = 0; k < kInfoComboCount; ++k) d.combos[k].SetCurSel(InfoInitialSelection(d.state.Record, k));
    for (int k = 0; k < kInfoComboCount; ++k) SetCheck(dialog, InfoCheck(k), InfoField(d.state.Record, 5 + k));
  } else if (message == WM_COMMAND) {
    switch (wparam & 0xFFFF) {
      case kOkButton: {
        AttachToOwnControls(dialog, kCombos);
        std::int32_t selections[kInfoComboCount], checks[kInfoComboCount];
        for (int k = 0; k < kInfoComboCount; ++k) selections[k] = d.combos[k].GetCurSel();
        for (int k = 0; k < kInfoComboCount; ++k) checks[k] = GetCheck(dialog, InfoCheck(k));
        EndDialog(dialog, InfoNumberOk(&d.state.Record, selections, checks));
        break;
      }
      case kCancelButton:  // and Esc
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
