// What the three settings dialogs show and give back, without the platform:
// the list texts as functions of the counts, the initial selections, what OK
// reads into the state, and what the export writes back and returns.
//
// List item texts are code page 932. An item is a fixed prefix, optionally
// the decimal text of a number ("-" before a negative number, no leading
// zeros), and a fixed suffix; the dialogs build each one in the string store
// and release it once the combo box has taken its copy.
#ifndef FARELIB_DIALOGS_SETTINGS_LOGIC_H
#define FARELIB_DIALOGS_SETTINGS_LOGIC_H

#include <cstdint>

#include "core/string_store.h"
#include "dialogs/control_ids.h"
#include "farelib_records.h"

namespace farelib::dlg {

// ---- Item texts ----------------------------------------------------------

struct ItemText {
  const char* prefix;  // never null
  bool has_number;
  std::int32_t number;
  const char* suffix;  // never null
};

// The decimal text of v: at most 11 bytes, no NUL. Returns the length.
std::int32_t WriteDecimal(std::int32_t v, char* out);
// A new string of `store` holding the item's text: the prefix, the decimal
// text and the suffix, each made in the store and joined with Concatenate
// (empty fixed parts are left out). What the dialogs add to their lists.
// When the heap fails anywhere on the way, the text is empty: an item is
// whole or blank, never a piece of its text, so that a list keeps one item
// per index. It is always a valid string, and no part stays registered.
char* MakeItemString(StringStore& store, const ItemText& item);

// ---- "デジタル表示設定" (Call_dlg100) -------------------------------------

struct DigitalDisplayState {
  std::int16_t DigitCount;       // N
  std::int16_t ZeroDisplayMode;  // index in the zero handling list (kZeroHandlingCombo)
  std::int16_t DigitShift;       // index in the digit shift list (kDigitShiftCombo)
  std::int16_t ZeroPadding;      // index in the zero padding list (kZeroPaddingCombo)
};

inline constexpr int kZeroHandlingCount = 4;
// The zero handling list: four fixed texts.
ItemText ZeroHandlingItem(int index);
// Digit shift list: N items "0桁" .. "N-1桁"; none for N <= 0.
std::int32_t ShiftItemCount(std::int16_t digit_count);
// Zero padding list: N + 1 items "0桁" .. "N桁"; none for N < 0. Counted in
// 32 bits, so N = 32767 gives 32,768 items.
std::int32_t PaddingItemCount(std::int16_t digit_count);
// Item i of either digit list: "i桁".
ItemText DigitItem(std::int32_t i);

// OK: the three selections (CB_GETCURSEL, -1 for none) kept as their low 16
// bits; the dialog ends with 1 when the check box state is exactly 1, else 0.
std::int32_t DigitalDisplayOk(DigitalDisplayState* state, std::int32_t zero, std::int32_t shift,
                              std::int32_t padding, std::int32_t apply_to_all);
// After the dialog: the three values are written back whatever the dialog
// result r was; the export returns r (1 or 0 after OK, -1 when the dialog
// could not be created, 0 when the owner is not a window).
std::int32_t FinishDigitalDisplay(const DigitalDisplayState& state, std::intptr_t r, std::int16_t* zero,
                                  std::int16_t* shift, std::int16_t* padding);

// ---- "整理券番号の設定" (Call_dlg101) -------------------------------------

struct TicketFormatState {
  std::int16_t CellCount;    // N
  std::int16_t FormatIndex;  // index in the display format list (kFormatCombo)
  std::int16_t LeadingZero;  // kLeadingZeroCheck
};

inline constexpr int kTicketFormatCount = 12;
// Format `index` (0..11) for N cells; the number is N or N - 1, the latter in
// signed 16-bit arithmetic (N = -32768 gives 32767).
ItemText TicketFormatItem(int index, std::int16_t cell_count);
// A click on the manual check box: exactly 1 becomes 0, anything else 1.
std::int32_t ToggledCheck(std::int32_t state);
// OK: check state and selection kept as their low 16 bits; ends with 1.
std::int32_t TicketFormatOk(TicketFormatState* state, std::int32_t leading_zero, std::int32_t selection);
// After the dialog: only r == 1 writes both values back and returns the flag
// just written (sign-extended); anything else writes nothing and returns 0.
std::int32_t FinishTicketFormat(const TicketFormatState& state, std::intptr_t r, std::int16_t* format_index,
                                std::int16_t* leading_zero);

// ---- "情報用数字の設定" (Call_dlg102) -------------------------------------

// The host's record (farelib_records.h): field k belongs to combo box
// InfoCombo(k), field 5 + k to check box InfoCheck(k) (control_ids.h).
static_assert(sizeof(InfoNumberSettings) == 20, "the host's record is ten 16-bit values");

struct InfoNumberState {
  std::int16_t CellCount;  // N
  InfoNumberSettings Record;
};

inline constexpr int kInfoComboCount = 5;  // and as many check boxes
inline constexpr std::int32_t kColumnItemCount = 150;
// Items of combo box InfoCombo(k): "1".."N" for the cell lists (none for
// N < 1), "1".."150" for the column list (kUserInfoColumnCombo).
std::int32_t InfoItemCount(int k, std::int16_t cell_count);
ItemText NumberItem(std::int32_t i);

std::int16_t InfoField(const InfoNumberSettings& record, int field);
void SetInfoField(InfoNumberSettings* record, int field, std::int16_t value);
// The initial selection of combo box InfoCombo(k): the sign-extended field k less 1
// (0 gives -1: nothing selected).
std::int32_t InfoInitialSelection(const InfoNumberSettings& record, int k);
// OK: field k := selection k + 1 (nothing selected gives 0), field 5 + k :=
// check state k, each kept as its low 16 bits; ends with 1.
std::int32_t InfoNumberOk(InfoNumberSettings* record, const std::int32_t selections[kInfoComboCount],
                          const std::int32_t checks[kInfoComboCount]);
// After the dialog: r == 1 copies the working record's 20 bytes to the
// host's and returns 1; anything else leaves them alone and returns 0.
std::int32_t FinishInfoNumber(const InfoNumberState& state, std::intptr_t r, InfoNumberSettings* host_record);

}  // namespace farelib::dlg

#endif
