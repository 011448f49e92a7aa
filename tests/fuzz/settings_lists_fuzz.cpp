// The three settings dialogs without the platform, for any count N and any
// record: the list lengths, item texts made in the string store on a heap that
// fails where the input says (each text whole or empty, nothing left
// registered), the initial selections, and what OK writes back. The expected
// texts are built here with snprintf from their code page 932 bytes; a combo
// box is modelled as the platform keeps one: a selection outside its items
// leaves it without one (-1).
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/string_store.h"
#include "dialogs/settings_logic.h"
#include "fake_heap.h"
#include "farelib_records.h"
#include "fuzz_support.h"

namespace {

namespace dlg = farelib::dlg;
using farelib::StringStore;

// ---- Expected texts (code page 932) ----

const char* const kZeroHandling[] = {
    // データの値が0もしくは空値のときは何も表示しない(既定)
    "\x83\x66\x81\x5b\x83\x5e\x82\xcc\x92\x6c\x82\xaa" "0" "\x82\xe0\x82\xb5\x82\xad\x82\xcd\x8b\xf3\x92\x6c\x82\xcc"
    "\x82\xc6\x82\xab\x82\xcd\x89\xbd\x82\xe0\x95\x5c\x8e\xa6\x82\xb5\x82\xc8\x82\xa2(\x8a\xf9\x92\xe8)",
    // データの値が0もしくは空値のときには0を表示する
    "\x83\x66\x81\x5b\x83\x5e\x82\xcc\x92\x6c\x82\xaa" "0" "\x82\xe0\x82\xb5\x82\xad\x82\xcd\x8b\xf3\x92\x6c\x82\xcc"
    "\x82\xc6\x82\xab\x82\xc9\x82\xcd" "0" "\x82\xf0\x95\x5c\x8e\xa6\x82\xb7\x82\xe9",
    // データの値が-1のときは0を表示する
    "\x83\x66\x81\x5b\x83\x5e\x82\xcc\x92\x6c\x82\xaa-1\x82\xcc\x82\xc6\x82\xab\x82\xcd" "0"
    "\x82\xf0\x95\x5c\x8e\xa6\x82\xb7\x82\xe9",
    // データの値が-1または0のときは0を表示する
    "\x83\x66\x81\x5b\x83\x5e\x82\xcc\x92\x6c\x82\xaa-1\x82\xdc\x82\xbd\x82\xcd" "0" "\x82\xcc\x82\xc6\x82\xab\x82\xcd"
    "0" "\x82\xf0\x95\x5c\x8e\xa6\x82\xb7\x82\xe9",
};
const char kKeta[] = "\x8c\x85";  // 桁

struct Format {
  const char* prefix;
  int less;  // the number shown is N - less, in 16 bits
};
const Format kFormats[12] = {
    {"1,2,3...", 0},
    {"0,1,2...", 1},
    {"\x81\x75\x82\xc8\x82\xb5\x81\x76\x81\x41" "1,2...", 1},  // 「なし」、1,2...
    {"\x81\x75\x82\xc8\x82\xb5\x81\x76\x81\x41" "2,3...", 0},  // 「なし」、2,3...
    {"\x81\x75\x96\xb3\x8c\x94\x81\x76\x81\x41" "1,2...", 1},  // 「無券」、1,2...
    {"\x81\x75\x96\xb3\x8c\x94\x81\x76\x81\x41" "2,3...", 0},  // 「無券」、2,3...
    {"\x81\x75\x8c\x94\x82\xc8\x82\xb5\x81\x76\x81\x41" "1,2...", 1},  // 「券なし」、1,2...
    {"\x81\x75\x8c\x94\x82\xc8\x82\xb5\x81\x76\x81\x41" "2,3...", 0},  // 「券なし」、2,3...
    {"\x81\x75\x8c\x94\x96\xb3\x82\xb5\x81\x76\x81\x41" "1,2...", 1},  // 「券無し」、1,2...
    {"\x81\x75\x8c\x94\x96\xb3\x82\xb5\x81\x76\x81\x41" "2,3...", 0},  // 「券無し」、2,3...
    {"(\x96\xb3\x92\x6e)\x81\x41" "1,2...", 1},  // (無地)、1,2...
    {"(\x96\xb3\x92\x6e)\x81\x41" "2,3...", 0},  // (無地)、2,3...
};
const char kDefaultDisplay[] = " \x81\x69\x8a\xf9\x92\xe8\x82\xcc\x95\x5c\x8e\xa6\x81\x6a";  // " （既定の表示）"

template <typename... Args>
std::string Printed(const char* format, Args... args) {
  char buf[256];
  int n = std::snprintf(buf, sizeof buf, format, args...);
  return std::string(buf, static_cast<std::size_t>(n));
}

// The five lists of "情報用数字の設定": four of cells, the fourth (k = 3) of columns.
constexpr int kColumnList = 3;

// ---- Checks ----

class Lists {
 public:
  explicit Lists(flfuzz::Input& in) : in_(in) {}

  // Item `index` of a list, made in the store on a heap that fails where the
  // input says: whole or empty, the only string it leaves, and released
  // without a trace.
  void Item(const char* list, std::int32_t index, const dlg::ItemText& item, const std::string& want) {
    s_.heap.fail_pattern = in_.U8();
    char* text = dlg::MakeItemString(s_.store, item);
    s_.heap.fail_pattern = 0;
    const std::string got(text, static_cast<std::size_t>(StringStore::Length(text)));
    FUZZ_CHECK(got == want || got.empty(), "%s item %d: expected %s or the empty text, got %s", list, index,
               flfuzz::Show(want).c_str(), flfuzz::Show(got).c_str());
    FUZZ_CHECK(text[got.size()] == '\0', "%s item %d: no NUL after the %zu bytes", list, index, got.size());
    const std::int32_t live = s_.store.IsFallback(text) ? 0 : 1;
    FUZZ_CHECK(s_.store.LiveCount() == live, "%s item %d: expected %d strings registered, got %d (a part stays)", list,
               index, live, s_.store.LiveCount());
    s_.store.Release(text);
    FUZZ_CHECK(s_.store.LiveCount() == 0 && s_.heap.blocks.size() == s_.OwnBlocks() && s_.heap.messages.empty(),
               "%s item %d: after its release: %d live, %zu blocks (expected %zu), %zu messages", list, index,
               s_.store.LiveCount(), s_.heap.blocks.size(), s_.OwnBlocks(), s_.heap.messages.size());
  }

  // A few items of a list of `count`: the first, the last and some the input picks.
  template <typename Make>
  void Sample(std::int32_t count, Make make) {
    if (count <= 0) return;
    make(0);
    make(count - 1);
    for (int picks = in_.U8() % 4; picks > 0; --picks) make(static_cast<std::int32_t>(in_.U32() % static_cast<std::uint32_t>(count)));
  }

 private:
  flfuzz::Input& in_;
  fltest::HeapStore s_;
};

// What a combo box holds after CB_SETCURSEL with `selection` when it has
// `count` items: the selection, or none.
std::int32_t Shown(std::int32_t selection, std::int32_t count) { return selection >= 0 && selection < count ? selection : -1; }

void DigitalDisplay(flfuzz::Input& in, Lists& lists) {
  const std::int16_t n = in.I16();
  const std::int32_t shift_count = n > 0 ? n : 0;
  const std::int32_t padding_count = n >= 0 ? std::int32_t{n} + 1 : 0;
  FUZZ_CHECK(dlg::ShiftItemCount(n) == shift_count, "N = %d: expected %d shift items, got %d", n, shift_count,
             dlg::ShiftItemCount(n));
  FUZZ_CHECK(dlg::PaddingItemCount(n) == padding_count, "N = %d: expected %d padding items, got %d", n, padding_count,
             dlg::PaddingItemCount(n));

  for (int i = 0; i < dlg::kZeroHandlingCount; ++i) lists.Item("zero handling", i, dlg::ZeroHandlingItem(i), kZeroHandling[i]);
  const int outside = static_cast<int>(in.I32());
  if (outside < 0 || outside >= dlg::kZeroHandlingCount)
    lists.Item("zero handling", outside, dlg::ZeroHandlingItem(outside), "");
  auto digit = [&](const char* list) {
    return [&lists, list](std::int32_t i) { lists.Item(list, i, dlg::DigitItem(i), Printed("%d%s", i, kKeta)); };
  };
  lists.Sample(shift_count, digit("digit shift"));
  lists.Sample(padding_count, digit("zero padding"));

  // The dialog opens on the host's values; OK reads the selections back.
  dlg::DigitalDisplayState state{n, in.I16(), in.I16(), in.I16()};
  const dlg::DigitalDisplayState host = state;
  const std::int32_t check = in.I32();
  const std::int32_t zero = Shown(state.ZeroDisplayMode, dlg::kZeroHandlingCount);
  const std::int32_t shift = Shown(state.DigitShift, shift_count);
  const std::int32_t padding = Shown(state.ZeroPadding, padding_count);
  const std::int32_t ended = dlg::DigitalDisplayOk(&state, zero, shift, padding, check);
  FUZZ_CHECK(ended == (check == 1 ? 1 : 0), "OK with check state %d: expected the dialog to end with %d, got %d", check,
             check == 1, ended);
  std::int16_t out[3] = {11, 22, 33};
  const std::intptr_t r = in.U8() % 2 ? ended : static_cast<std::intptr_t>(in.I32());
  FUZZ_CHECK(dlg::FinishDigitalDisplay(state, r, &out[0], &out[1], &out[2]) == static_cast<std::int32_t>(r),
             "the export does not return the dialog's result %lld", static_cast<long long>(r));
  const std::int16_t want[3] = {static_cast<std::int16_t>(zero), static_cast<std::int16_t>(shift), static_cast<std::int16_t>(padding)};
  FUZZ_CHECK(std::memcmp(out, want, sizeof out) == 0,
             "N = %d, values {%d, %d, %d}: expected {%d, %d, %d} written back, got {%d, %d, %d}", n, host.ZeroDisplayMode,
             host.DigitShift, host.ZeroPadding, want[0], want[1], want[2], out[0], out[1], out[2]);
}

void TicketFormat(flfuzz::Input& in, Lists& lists) {
  const std::int16_t n = in.I16();
  for (int i = 0; i < dlg::kTicketFormatCount; ++i) {
    const Format& f = kFormats[i];
    const std::int16_t number = static_cast<std::int16_t>(n - f.less);
    lists.Item("display format", i, dlg::TicketFormatItem(i, n),
               Printed("%s%d%s", f.prefix, number, i == 0 ? kDefaultDisplay : ""));
  }
  const int outside = static_cast<int>(in.I32());
  if (outside < 0 || outside >= dlg::kTicketFormatCount)
    lists.Item("display format", outside, dlg::TicketFormatItem(outside, n), "");

  const std::int32_t click = in.I32();
  FUZZ_CHECK(dlg::ToggledCheck(click) == (click == 1 ? 0 : 1), "a click on check state %d: expected %d, got %d", click,
             click == 1 ? 0 : 1, dlg::ToggledCheck(click));

  dlg::TicketFormatState state{n, in.I16(), in.I16()};
  const dlg::TicketFormatState host = state;
  const std::int32_t check = in.I32();
  const std::int32_t selection = Shown(state.FormatIndex, dlg::kTicketFormatCount);
  const std::int32_t ended = dlg::TicketFormatOk(&state, check, selection);
  FUZZ_CHECK(ended == 1, "OK: expected the dialog to end with 1, got %d", ended);
  const std::intptr_t r = in.U8() % 2 ? ended : static_cast<std::intptr_t>(in.I32());
  std::int16_t format = 77, zero = 88;
  const std::int32_t result = dlg::FinishTicketFormat(state, r, &format, &zero);
  if (r == 1) {
    FUZZ_CHECK(format == static_cast<std::int16_t>(selection) && zero == static_cast<std::int16_t>(check) &&
                   result == static_cast<std::int16_t>(check),
               "format %d, check %d after OK: expected {%d, %d} and result %d, got {%d, %d} and %d", host.FormatIndex,
               check, static_cast<std::int16_t>(selection), static_cast<std::int16_t>(check),
               static_cast<std::int16_t>(check), format, zero, result);
  } else {
    FUZZ_CHECK(format == 77 && zero == 88 && result == 0, "dialog result %lld: expected nothing written and 0, got {%d, %d} and %d",
               static_cast<long long>(r), format, zero, result);
  }
}

void InfoNumbers(flfuzz::Input& in, Lists& lists) {
  const std::int16_t n = in.I16();
  dlg::InfoNumberState state{n, {}};
  for (int f = 0; f < 10; ++f) dlg::SetInfoField(&state.Record, f, in.I16());
  const InfoNumberSettings host = state.Record;
  std::int16_t fields[10];
  std::memcpy(fields, &host, sizeof fields);

  std::int32_t selections[dlg::kInfoComboCount], checks[dlg::kInfoComboCount];
  for (int k = 0; k < dlg::kInfoComboCount; ++k) {
    const std::int32_t count = k == kColumnList ? 150 : (n > 0 ? n : 0);
    FUZZ_CHECK(dlg::InfoItemCount(k, n) == count, "N = %d, list %d: expected %d items, got %d", n, k, count,
               dlg::InfoItemCount(k, n));
    lists.Sample(count, [&](std::int32_t i) {
      lists.Item("information number", i, dlg::NumberItem(i + 1), Printed("%lld", static_cast<long long>(i) + 1));
    });
    FUZZ_CHECK(dlg::InfoField(host, k) == fields[k] && dlg::InfoField(host, 5 + k) == fields[5 + k],
               "fields %d and %d are not the record's", k, 5 + k);
    const std::int32_t initial = dlg::InfoInitialSelection(host, k);
    FUZZ_CHECK(initial == std::int32_t{fields[k]} - 1, "field %d = %d: expected initial selection %d, got %d", k, fields[k],
               fields[k] - 1, initial);
    selections[k] = Shown(initial, count);
    checks[k] = in.U8() % 2 ? fields[5 + k] : in.I32();
  }
  const std::int32_t ended = dlg::InfoNumberOk(&state.Record, selections, checks);
  FUZZ_CHECK(ended == 1, "OK: expected the dialog to end with 1, got %d", ended);
  for (int k = 0; k < dlg::kInfoComboCount; ++k) {
    // An item shown goes back as the number it shows; none as 0.
    const std::int16_t cell = selections[k] < 0 ? 0 : fields[k];
    FUZZ_CHECK(dlg::InfoField(state.Record, k) == cell, "N = %d, field %d = %d: expected %d after OK, got %d", n, k,
               fields[k], cell, dlg::InfoField(state.Record, k));
    FUZZ_CHECK(dlg::InfoField(state.Record, 5 + k) == static_cast<std::int16_t>(checks[k]),
               "check state %d: expected field %d = %d after OK, got %d", checks[k], 5 + k,
               static_cast<std::int16_t>(checks[k]), dlg::InfoField(state.Record, 5 + k));
  }
  InfoNumberSettings out = host;
  const std::intptr_t r = in.U8() % 2 ? ended : static_cast<std::intptr_t>(in.I32());
  const std::int32_t result = dlg::FinishInfoNumber(state, r, &out);
  const InfoNumberSettings& want = r == 1 ? state.Record : host;
  FUZZ_CHECK(result == (r == 1 ? 1 : 0) && std::memcmp(&out, &want, sizeof out) == 0,
             "dialog result %lld: expected result %d and the %s record, got %d", static_cast<long long>(r), r == 1,
             r == 1 ? "working" : "host's own", result);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  flfuzz::Input in(data, size);
  Lists lists(in);
  switch (in.U8() % 3) {
    case 0: DigitalDisplay(in, lists); break;
    case 1: TicketFormat(in, lists); break;
    case 2: InfoNumbers(in, lists); break;
  }
  return 0;
}
