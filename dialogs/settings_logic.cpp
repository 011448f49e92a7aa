#include "dialogs/settings_logic.h"

#include <cstring>

namespace farelib::dlg {

// ---- Item texts ----------------------------------------------------------

std::int32_t WriteDecimal(std::int32_t v, char* out) {
  char digits[10];
  int n = 0;
  // Work on the magnitude as unsigned so that INT32_MIN has one.
  std::uint32_t m = v < 0 ? 0u - static_cast<std::uint32_t>(v) : static_cast<std::uint32_t>(v);
  do {
    digits[n++] = static_cast<char>('0' + m % 10);
    m /= 10;
  } while (m != 0);
  std::int32_t len = 0;
  if (v < 0) out[len++] = '-';
  while (n > 0) out[len++] = digits[--n];
  return len;
}

char* MakeItemString(StringStore& store, const ItemText& item) {
  // Every part is at least one byte long, so a part or a join that comes out
  // as the shared empty string is one the heap could not give. The first such
  // failure ends the item: what was joined so far is released and the item is
  // blank, never a piece of its text.
  char* text = nullptr;
  bool whole = true;
  auto append = [&](const char* part, std::size_t n) {
    if (!whole) return;
    char* made = store.CreateCopy(part, static_cast<std::int32_t>(n));
    if (store.IsFallback(made)) {
      whole = false;
      return;
    }
    if (text == nullptr) {
      text = made;
      return;
    }
    text = store.Concatenate(text, made);  // releases both parts
    if (store.IsFallback(text)) whole = false;
  };
  if (item.prefix[0] != '\0') append(item.prefix, std::strlen(item.prefix));
  if (item.has_number) {
    char digits[11];
    append(digits, static_cast<std::size_t>(WriteDecimal(item.number, digits)));
  }
  if (item.suffix[0] != '\0') append(item.suffix, std::strlen(item.suffix));
  if (!whole) {
    store.Release(text);
    text = nullptr;
  }
  return text ? text : store.CreateEmpty();
}

namespace {
ItemText Fixed(const char* text) { return {text, false, 0, ""}; }
}  // namespace

// ---- "デジタル表示設定" -----------------------------------------------------

namespace {
const char* const kZeroHandlingTexts[kZeroHandlingCount] = {
    "データの値が0もしくは空値のときは何も表示しない(既定)",
    "データの値が0もしくは空値のときには0を表示する",
    "データの値が-1のときは0を表示する",
    "データの値が-1または0のときは0を表示する",
};
const char kDigitSuffix[] = "桁";
}  // namespace

ItemText ZeroHandlingItem(int index) {
  return Fixed(index >= 0 && index < kZeroHandlingCount ? kZeroHandlingTexts[index] : "");
}

std::int32_t ShiftItemCount(std::int16_t digit_count) { return digit_count > 0 ? digit_count : 0; }

std::int32_t PaddingItemCount(std::int16_t digit_count) {
  return digit_count >= 0 ? static_cast<std::int32_t>(digit_count) + 1 : 0;
}

ItemText DigitItem(std::int32_t i) { return {"", true, i, kDigitSuffix}; }

std::int32_t DigitalDisplayOk(DigitalDisplayState* state, std::int32_t zero, std::int32_t shift,
                              std::int32_t padding, std::int32_t apply_to_all) {
  state->ZeroDisplayMode = static_cast<std::int16_t>(zero);
  state->DigitShift = static_cast<std::int16_t>(shift);
  state->ZeroPadding = static_cast<std::int16_t>(padding);
  return apply_to_all == 1 ? 1 : 0;
}

std::int32_t FinishDigitalDisplay(const DigitalDisplayState& state, std::intptr_t r, std::int16_t* zero,
                                  std::int16_t* shift, std::int16_t* padding) {
  *zero = state.ZeroDisplayMode;
  *shift = state.DigitShift;
  *padding = state.ZeroPadding;
  return static_cast<std::int32_t>(r);
}

// ---- "整理券番号の設定" -----------------------------------------------------

namespace {
struct TicketFormat {
  const char* prefix;
  bool minus_one;  // the number is N - 1 (else N)
};
const TicketFormat kTicketFormats[kTicketFormatCount] = {
    {"1,2,3...", false},         {"0,1,2...", true},          {"「なし」、1,2...", true},
    {"「なし」、2,3...", false},  {"「無券」、1,2...", true},   {"「無券」、2,3...", false},
    {"「券なし」、1,2...", true}, {"「券なし」、2,3...", false}, {"「券無し」、1,2...", true},
    {"「券無し」、2,3...", false}, {"(無地)、1,2...", true},     {"(無地)、2,3...", false},
};
const char kDefaultSuffix[] = " （既定の表示）";
}  // namespace

ItemText TicketFormatItem(int index, std::int16_t cell_count) {
  if (index < 0 || index >= kTicketFormatCount) return Fixed("");
  const TicketFormat& f = kTicketFormats[index];
  std::int16_t number = f.minus_one ? static_cast<std::int16_t>(cell_count - 1) : cell_count;
  return {f.prefix, true, number, index == 0 ? kDefaultSuffix : ""};
}

std::int32_t ToggledCheck(std::int32_t state) { return state == 1 ? 0 : 1; }

std::int32_t TicketFormatOk(TicketFormatState* state, std::int32_t leading_zero, std::int32_t selection) {
  state->LeadingZero = static_cast<std::int16_t>(leading_zero);
  state->FormatIndex = static_cast<std::int16_t>(selection);
  return 1;
}

std::int32_t FinishTicketFormat(const TicketFormatState& state, std::intptr_t r, std::int16_t* format_index,
                                std::int16_t* leading_zero) {
  if (r != 1) return 0;
  *format_index = state.FormatIndex;
  *leading_zero = state.LeadingZero;
  return state.LeadingZero;
}

// ---- "情報用数字の設定" -----------------------------------------------------

std::int32_t InfoItemCount(int k, std::int16_t cell_count) {
  if (InfoCombo(k) == kUserInfoColumnCombo) return kColumnItemCount;
  return cell_count > 0 ? cell_count : 0;
}

ItemText NumberItem(std::int32_t i) { return {"", true, i, ""}; }

std::int16_t InfoField(const InfoNumberSettings& record, int field) {
  std::int16_t v;
  std::memcpy(&v, reinterpret_cast<const unsigned char*>(&record) + 2 * field, 2);
  return v;
}

void SetInfoField(InfoNumberSettings* record, int field, std::int16_t value) {
  std::memcpy(reinterpret_cast<unsigned char*>(record) + 2 * field, &value, 2);
}

std::int32_t InfoInitialSelection(const InfoNumberSettings& record, int k) {
  return static_cast<std::int32_t>(InfoField(record, k)) - 1;
}

std::int32_t InfoNumberOk(InfoNumberSettings* record, const std::int32_t selections[kInfoComboCount],
                          const std::int32_t checks[kInfoComboCount]) {
  for (int k = 0; k < kInfoComboCount; ++k)
    SetInfoField(record, k, static_cast<std::int16_t>(static_cast<std::uint32_t>(selections[k]) + 1u));
  for (int k = 0; k < kInfoComboCount; ++k) SetInfoField(record, 5 + k, static_cast<std::int16_t>(checks[k]));
  return 1;
}

std::int32_t FinishInfoNumber(const InfoNumberState& state, std::intptr_t r, InfoNumberSettings* host_record) {
  if (r != 1) return 0;
  std::memcpy(host_record, &state.Record, sizeof state.Record);
  return 1;
}

}  // namespace farelib::dlg
