// The control ids of the settings dialogs and the About box, and OK and
// Cancel for every dialog. The control tables give them to the controls; the
// procedures and the tests address the controls by them.
//
// OK is 1 in every dialog, Cancel 2 where a dialog has one; the controls that
// a procedure fills, reads or reacts to are numbered from 10 upward, check
// boxes after the combo boxes; static labels and frames have 0. The About
// box, which has no Cancel, gives its picture 2.
#ifndef FARELIB_DIALOGS_CONTROL_IDS_H
#define FARELIB_DIALOGS_CONTROL_IDS_H

namespace farelib::dlg {

inline constexpr int kOkButton = 1;      // the default push button: Enter sends it
inline constexpr int kCancelButton = 2;  // Esc sends it, whether or not a dialog has the button
inline constexpr int kLabel = 0;         // never addressed

// ---- "デジタル表示設定" (Call_dlg100) -------------------------------------
inline constexpr int kZeroHandlingCombo = 10;
inline constexpr int kDigitShiftCombo = 11;
inline constexpr int kZeroPaddingCombo = 12;
inline constexpr int kApplyToAllCheck = 13;

// ---- "整理券番号の設定" (Call_dlg101) -------------------------------------
inline constexpr int kFormatCombo = 10;
inline constexpr int kLeadingZeroCheck = 11;  // a manual check box: the procedure toggles it

// ---- "情報用数字の設定" (Call_dlg102) -------------------------------------
// Combo box InfoCombo(k) shows field k of the host's record, check box
// InfoCheck(k) field 5 + k (k = 0..4).
inline constexpr int kStopCountCellCombo = 10;
inline constexpr int kTicketNumberCellCombo = 11;
inline constexpr int kRouteNumberCellCombo = 12;
inline constexpr int kUserInfoColumnCombo = 13;
inline constexpr int kUserInfoCellCombo = 14;
inline constexpr int kShowStopCountCheck = 15;
inline constexpr int kStopCountFromZeroCheck = 16;
inline constexpr int kShowTicketNumberCheck = 17;
inline constexpr int kShowRouteNumberCheck = 18;
inline constexpr int kShowUserInfoCheck = 19;
constexpr int InfoCombo(int k) { return kStopCountCellCombo + k; }
constexpr int InfoCheck(int k) { return kShowStopCountCheck + k; }
// The four lists of cells ("1".."N"); the fifth, kUserInfoColumnCombo, lists columns.
inline constexpr int kInfoCellCombos[] = {kStopCountCellCombo, kTicketNumberCellCombo, kRouteNumberCellCombo,
                                          kUserInfoCellCombo};

// ---- "Zelvoのバージョン情報" (Call_dlg110) --------------------------------
inline constexpr int kAboutPicture = 2;      // SS_BITMAP static
inline constexpr int kAboutText = 10;        // read-only multi-line edit box
inline constexpr int kAboutLinkButton = 12;  // opens the maker's homepage

}  // namespace farelib::dlg

#endif
