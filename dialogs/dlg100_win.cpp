// Call_dlg100: "デジタル表示設定", the digital display settings of one part.
#include <windows.h>

#include "dialogs/dialog_frame_win.h"
#include "dialogs/templates.h"
#include "farelib.h"

namespace farelib::dlg {
namespace {

struct DigitalDisplayDialog {
  DigitalDisplayState state;
  ComboBoxRef zero_handling;
  ComboBoxRef digit_shift;
  ComboBoxRef zero_padding;
};
DigitalDisplayDialog g_dlg100;
constexpr ControlSlot<ComboBoxRef> kCombos[] = {{&g_dlg100.zero_handling, kZeroHandlingCombo},
                                                {&g_dlg100.digit_shift, kDigitShiftCombo},
                                                {&g_dlg100.zero_padding, kZeroPaddingCombo}};

INT_PTR CALLBACK DigitalDisplayProc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  DigitalDisplayDialog& d = g_dlg100;
  if (message == WM_INITDIALOG) {
    AttachToOwnControls(dialog, kCombos);
    d.zero_handling.ResetContent();
    FillList(d.zero_handling, kZeroHandlingCount, ZeroHandlingItem);
    FillList(d.digit_shift, ShiftItemCount(d.state.DigitCount), DigitItem);
    FillList(d.zero_padding, PaddingItemCount(d.state.DigitCount), DigitItem);
    d.zero_handling.SetCurSel(d.state.ZeroDisplayMode);
    d.digit_shift.SetCurSel(d.state.DigitShift);
    d.zero_padding.SetCurSel(d.state.ZeroPadding);
    SetCheck(dialog, kApplyToAllCheck, 0);
  } else if (message == WM_COMMAND && (wparam & 0xFFFF) == kOkButton) {
    // Esc (kCancelButton) is not handled: OK is the only way out.
    AttachToOwnControls(dialog, kCombos);
    std::int32_t end = DigitalDisplayOk(&d.state, d.zero_handling.GetCurSel(), d.digit_shift.GetCurSel(),
                                        d.zero_padding.GetCurSel(), GetCheck(dialog, kApplyToAllCheck));
    EndDialog(dialog, end);
  }
  return 0;
}

}  // namespace
}  // namespace farelib::dlg

extern "C" int32_t WINAPI Call_dlg100(HWND owner, int32_t digit_count, int16_t* zero_display_mode,
                                      int16_t* digit_shift, int16_t* zero_padding) {
  using namespace farelib::dlg;
  DigitalDisplayState& s = g_dlg100.state;
  s.DigitCount = static_cast<int16_t>(digit_count);
  s.ZeroDisplayMode = *zero_display_mode;
  s.DigitShift = *digit_shift;
  s.ZeroPadding = *zero_padding;
  INT_PTR r = RunDialog(kDigitalDisplayTemplate, owner, DigitalDisplayProc);
  return FinishDigitalDisplay(s, r, zero_display_mode, digit_shift, zero_padding);
}
