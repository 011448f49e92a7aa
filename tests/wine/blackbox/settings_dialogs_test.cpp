// The three settings dialogs as a host's user meets them, in both DLLs: a
// second thread waits for the dialog, reads what it shows, chooses, clicks
// and types; the test then checks what came back through the host's
// pointers and the result.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/wine/blackbox/dll_fixtures.h"
#include "dialogs/control_ids.h"
#include "dialogs/template_decode.h"
#include "dialogs/templates.h"
#include "farelib_records.h"
#include "support/dialog_driver.h"
#include "support/nesting_host.h"
#include "support/text.h"

namespace {

using namespace farelib::dlg;  // the control ids

const wchar_t kTitle100[] = L"デジタル表示設定";
const wchar_t kTitle101[] = L"整理券番号の設定";
const wchar_t kTitle102[] = L"情報用数字の設定";

// A handle that is no window.
HWND NotAWindow() { return reinterpret_cast<HWND>(static_cast<uintptr_t>(0x7FFF1234)); }

std::vector<std::string> Cp932List(std::initializer_list<const char8_t*> texts) {
  std::vector<std::string> out;
  for (const char8_t* t : texts) out.push_back(support::Cp932(t));
  return out;
}

// "0桁" .. "(n-1)桁"
std::vector<std::string> DigitItems(int n) {
  std::vector<std::string> out;
  for (int i = 0; i < n; ++i) out.push_back(std::to_string(i) + support::Cp932(u8"桁"));
  return out;
}

std::vector<std::string> NumberItems(int n) {
  std::vector<std::string> out;
  for (int i = 1; i <= n; ++i) out.push_back(std::to_string(i));
  return out;
}

// Host windows live on the test's thread, as a host's do.
class HostWindow {
 public:
  HostWindow() {
    hwnd_ = CreateWindowExW(0, L"STATIC", L"host board", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 120, 90, 640, 480,
                            nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~HostWindow() { DestroyWindow(hwnd_); }
  HWND hwnd() const { return hwnd_; }

 private:
  HWND hwnd_;
};

class SettingsDialogs : public blackbox::EachDll {
 protected:
  void SetUp() override {
    EachDll::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(farelib.Call_dlg100 && farelib.Call_dlg101 && farelib.Call_dlg102);
  }
};

struct Values100 {
  int16_t zero, shift, padding;
};
struct Values101 {
  int16_t format, leading_zero;
};

// ==== "デジタル表示設定" ====================================================

// Opens Call_dlg100 with `body` driving it; returns the result.
int32_t Run100(const support::Farelib& farelib, HWND owner, int32_t n, Values100* v, std::function<void(fldlg::Dialog&)> body) {
  fldlg::Script script(std::move(body), kTitle100);
  int32_t r = farelib.Call_dlg100(owner, n, &v->zero, &v->shift, &v->padding);
  EXPECT_TRUE(script.Finish()) << script.error();
  return r;
}

TEST_P(SettingsDialogs, DigitalDisplayShowsListsAndSelections) {
  Values100 v{2, 3, 4};
  int32_t r = Run100(farelib, nullptr, 5, &v, [](fldlg::Dialog& d) {
    EXPECT_EQ(d.ComboItems(kZeroHandlingCombo), Cp932List({u8"データの値が0もしくは空値のときは何も表示しない(既定)",
                                           u8"データの値が0もしくは空値のときには0を表示する",
                                           u8"データの値が-1のときは0を表示する",
                                           u8"データの値が-1または0のときは0を表示する"}));
    EXPECT_EQ(d.ComboItems(kDigitShiftCombo), DigitItems(5));
    EXPECT_EQ(d.ComboItems(kZeroPaddingCombo), DigitItems(6));
    EXPECT_EQ(d.ComboSelection(kZeroHandlingCombo), 2);
    EXPECT_EQ(d.ComboSelection(kDigitShiftCombo), 3);
    EXPECT_EQ(d.ComboSelection(kZeroPaddingCombo), 4);
    EXPECT_EQ(d.CheckState(kApplyToAllCheck), BST_UNCHECKED);
    d.PressKey(VK_RETURN);
  });
  EXPECT_EQ(r, 0) << "OK with the box unchecked";
  EXPECT_EQ(v.zero, 2);
  EXPECT_EQ(v.shift, 3);
  EXPECT_EQ(v.padding, 4);
}

TEST_P(SettingsDialogs, DigitalDisplayListLengths) {
  struct Case {
    int32_t n;
    int shift, padding;
  } cases[] = {{0, 0, 1}, {1, 1, 2}, {-1, 0, 0}, {-32768, 0, 0}, {10, 10, 11}, {0x10005, 5, 6}};
  for (const auto& c : cases) {
    Values100 v{0, 0, 0};
    Run100(farelib, nullptr, c.n, &v, [&](fldlg::Dialog& d) {
      EXPECT_EQ(d.ComboItems(kDigitShiftCombo), DigitItems(c.shift)) << "shift list, N = " << c.n;
      EXPECT_EQ(d.ComboItems(kZeroPaddingCombo), DigitItems(c.padding)) << "padding list, N = " << c.n;
      d.Click(kOkButton);
    });
  }
}

TEST_P(SettingsDialogs, DigitalDisplayLargestCounts) {
  struct Case {
    int32_t n;
    int shift, padding;
  } cases[] = {{32766, 32766, 32767}, {32767, 32767, 32768}};
  for (const auto& c : cases) {
    Values100 v{0, 0, 0};
    int32_t r = Run100(farelib, nullptr, c.n, &v, [&](fldlg::Dialog& d) {
      EXPECT_EQ(d.ComboCount(kDigitShiftCombo), c.shift) << "N = " << c.n;
      EXPECT_EQ(d.ComboCount(kZeroPaddingCombo), c.padding) << "N = " << c.n;
      EXPECT_EQ(d.ComboItem(kDigitShiftCombo, c.shift - 1), std::to_string(c.shift - 1) + support::Cp932(u8"桁"));
      EXPECT_EQ(d.ComboItem(kZeroPaddingCombo, c.padding - 1), std::to_string(c.padding - 1) + support::Cp932(u8"桁"));
      EXPECT_EQ(d.ComboItem(kZeroPaddingCombo, 1000), "1000" + support::Cp932(u8"桁"));
      d.Select(kDigitShiftCombo, c.shift - 1);
      d.Select(kZeroPaddingCombo, c.padding - 1);
      d.Click(kOkButton);
    });
    EXPECT_EQ(r, 0);
    EXPECT_EQ(v.shift, c.shift - 1) << "N = " << c.n;
    EXPECT_EQ(v.padding, static_cast<int16_t>(c.padding - 1)) << "N = " << c.n << ": the low 16 bits";
  }
}

TEST_P(SettingsDialogs, DigitalDisplayChoicesAndApplyToAll) {
  Values100 v{0, 0, 0};
  int32_t r = Run100(farelib, nullptr, 8, &v, [](fldlg::Dialog& d) {
    d.Select(kZeroHandlingCombo, 3);
    d.Select(kDigitShiftCombo, 7);
    d.Select(kZeroPaddingCombo, 8);
    d.Click(kApplyToAllCheck);
    EXPECT_EQ(d.CheckState(kApplyToAllCheck), BST_CHECKED) << "an automatic check box";
    d.Click(kOkButton);
  });
  EXPECT_EQ(r, 1) << "OK with the box checked";
  EXPECT_EQ(v.zero, 3);
  EXPECT_EQ(v.shift, 7);
  EXPECT_EQ(v.padding, 8);
}

TEST_P(SettingsDialogs, DigitalDisplayEscDoesNotClose) {
  Values100 v{1, 1, 1};
  int32_t r = Run100(farelib, nullptr, 3, &v, [](fldlg::Dialog& d) {
    d.Select(kZeroHandlingCombo, 0);
    d.PressKey(VK_ESCAPE);
    EXPECT_TRUE(d.IsOpen()) << "Esc leaves the dialog open";
    d.Command(kCancelButton);
    EXPECT_TRUE(d.IsOpen()) << "command 2 is ignored";
    d.PressKey(VK_RETURN);
    EXPECT_TRUE(fldlg::WaitForClose(d.hwnd())) << "Enter is OK";
  });
  EXPECT_EQ(r, 0);
  EXPECT_EQ(v.zero, 0);
}

TEST_P(SettingsDialogs, DigitalDisplayOutOfRangeShowsNothingAndGivesMinusOne) {
  Values100 v{7, -1, 6};
  int32_t r = Run100(farelib, nullptr, 5, &v, [](fldlg::Dialog& d) {
    EXPECT_EQ(d.ComboSelection(kZeroHandlingCombo), -1);
    EXPECT_EQ(d.ComboSelection(kDigitShiftCombo), -1);
    EXPECT_EQ(d.ComboSelection(kZeroPaddingCombo), -1);
    d.Click(kOkButton);
  });
  EXPECT_EQ(r, 0);
  EXPECT_EQ(v.zero, -1);
  EXPECT_EQ(v.shift, -1);
  EXPECT_EQ(v.padding, -1);
}

TEST_P(SettingsDialogs, DigitalDisplaySecondOpeningStartsUnchecked) {
  Values100 v{0, 0, 0};
  EXPECT_EQ(Run100(farelib, nullptr, 2, &v, [](fldlg::Dialog& d) {
              d.Click(kApplyToAllCheck);
              d.Click(kOkButton);
            }),
            1);
  EXPECT_EQ(Run100(farelib, nullptr, 2, &v, [](fldlg::Dialog& d) {
              EXPECT_EQ(d.CheckState(kApplyToAllCheck), BST_UNCHECKED) << "the second dialog's box";
              d.Click(kOkButton);
            }),
            0);
}

TEST_P(SettingsDialogs, DigitalDisplayOverARealOwner) {
  HostWindow host;
  ASSERT_TRUE(IsWindow(host.hwnd()));
  Values100 v{1, 2, 3};
  POINT origin{0, 0};
  ClientToScreen(host.hwnd(), &origin);
  int32_t r = Run100(farelib, host.hwnd(), 4, &v, [&](fldlg::Dialog& d) {
    EXPECT_FALSE(IsWindowEnabled(host.hwnd())) << "the owner is disabled while the dialog runs";
    EXPECT_EQ(GetWindow(d.hwnd(), GW_OWNER), host.hwnd());
    POINT client{0, 0};
    ClientToScreen(d.hwnd(), &client);
    EXPECT_EQ(client.x, origin.x) << "the dialog's client area starts where the owner's does";
    EXPECT_EQ(client.y, origin.y);
    EXPECT_EQ(GetWindowLongW(d.hwnd(), GWL_STYLE) & WS_SYSMENU, 0) << "no close box";
    d.PressKey(VK_RETURN);
  });
  EXPECT_EQ(r, 0);
  EXPECT_TRUE(IsWindowEnabled(host.hwnd())) << "the owner is enabled again";
  EXPECT_EQ(v.zero, 1);
  EXPECT_EQ(v.shift, 2);
  EXPECT_EQ(v.padding, 3);
}

// What each dialog shows, control by control, against the table its
// template is built from (the tables themselves are checked natively).
TEST_P(SettingsDialogs, LayoutFollowsTheTables) {
  using farelib::dlg::TemplateRef;
  struct Case {
    const char* name;
    const TemplateRef& t;
    std::function<void()> open;
  } cases[] = {
      {"digital display", farelib::dlg::kDigitalDisplayTemplate,
       [&] {
         Values100 v{0, 0, 0};
         farelib.Call_dlg100(nullptr, 3, &v.zero, &v.shift, &v.padding);
       }},
      {"ticket format", farelib::dlg::kTicketFormatTemplate,
       [&] {
         Values101 v{0, 0};
         farelib.Call_dlg101(nullptr, 3, &v.format, &v.leading_zero);
       }},
      {"information numbers", farelib::dlg::kInfoNumberTemplate,
       [&] {
         InfoNumberSettings rec{};
         farelib.Call_dlg102(nullptr, 3, &rec);
       }},
  };
  for (const auto& c : cases) {
    farelib::dlg::DecodedTemplate want;
    std::string error;
    ASSERT_TRUE(farelib::dlg::DecodeTemplate(c.t.bytes, c.t.size, &want, &error)) << error;
    fldlg::Script script(
        [&](fldlg::Dialog& d) {
          SCOPED_TRACE(c.name);
          EXPECT_TRUE(d.Title() == std::wstring(want.title.begin(), want.title.end()));
          EXPECT_EQ(d.ClientDlu(), (fldlg::DluRect{0, 0, want.cx, want.cy}));
          EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(d.hwnd(), GWL_STYLE)) & (WS_SYSMENU | DS_CENTER), 0u);
          auto got = d.Snapshot();
          ASSERT_EQ(got.size(), want.controls.size());
          for (size_t i = 0; i < got.size(); ++i) {
            const auto& w = want.controls[i];
            SCOPED_TRACE("control " + std::to_string(i + 1) + ", id " + std::to_string(w.id));
            const char* cls = w.class_atom == 0x80 ? "Button" : w.class_atom == 0x82 ? "Static" : "ComboBox";
            bool combo = w.class_atom == 0x85;
            EXPECT_EQ(got[i].class_name, cls);
            EXPECT_EQ(got[i].id, w.id);
            // A combo box hands WS_VSCROLL to its list.
            DWORD mask = combo ? ~static_cast<DWORD>(WS_VSCROLL) : ~0u;
            EXPECT_EQ(got[i].style & mask, w.style & mask) << std::hex << "live 0x" << got[i].style;
            // A combo box's height in the table is its dropped-down height.
            fldlg::DluRect rect{w.x, w.y, w.cx, combo ? got[i].dlu.cy : w.cy};
            EXPECT_EQ(got[i].dlu, rect) << "at " << got[i].dlu.x << "," << got[i].dlu.y << " size "
                                        << got[i].dlu.cx << "x" << got[i].dlu.cy;
            if (!combo) {
              EXPECT_TRUE(got[i].text == std::wstring(w.text.begin(), w.text.end()));
            }
          }
          d.Click(kOkButton);
        },
        nullptr);
    c.open();
    EXPECT_TRUE(script.Finish()) << c.name << ": " << script.error();
  }
}

// A host window that the open dialog's modal loop still serves opens the same
// dialog again over it; the first dialog must still give back what it shows.
TEST_P(SettingsDialogs, DigitalDisplayNestedCallLeavesTheOpenDialogIntact) {
  support::NestingHost host;
  ASSERT_TRUE(host.ok());
  Values100 v{0, 0, 0}, nested{0, 0, 0};
  int32_t nested_r = -2;
  bool nested_driven = false;
  int32_t r = Run100(farelib, nullptr, 6, &v, [&](fldlg::Dialog& d) {
    d.Select(kZeroHandlingCombo, 2);
    d.Select(kDigitShiftCombo, 3);
    d.Select(kZeroPaddingCombo, 4);
    bool ran = host.RunThere([&] {
      fldlg::Script script(
          [](fldlg::Dialog& second) {
            second.Select(kZeroHandlingCombo, 1);
            second.Select(kDigitShiftCombo, 0);
            second.Click(kOkButton);
          },
          kTitle100);
      nested_r = farelib.Call_dlg100(d.hwnd(), 2, &nested.zero, &nested.shift, &nested.padding);
      nested_driven = script.Finish();
    }, fldlg::kTimeoutMs);
    ASSERT_TRUE(ran) << "the nested dialog did not end";
    EXPECT_EQ(d.ComboSelection(kDigitShiftCombo), 3) << "the first dialog still shows its choice";
    d.Click(kOkButton);
  });
  EXPECT_TRUE(nested_driven);
  EXPECT_EQ(nested_r, 0);
  EXPECT_EQ(nested.zero, 1);
  EXPECT_EQ(nested.shift, 0);
  EXPECT_EQ(r, 0);
  EXPECT_EQ(v.zero, 2) << "what the first dialog showed at OK";
  EXPECT_EQ(v.shift, 3);
  EXPECT_EQ(v.padding, 4);
}

TEST_P(SettingsDialogs, DigitalDisplayWithoutADialog) {
  // The owner is no window: no dialog, the host's values come back, 0.
  Values100 v{7, 8, 9};
  fldlg::Script guard([](fldlg::Dialog& d) { d.Click(kOkButton); }, nullptr, 1500);
  int32_t r = farelib.Call_dlg100(NotAWindow(), 5, &v.zero, &v.shift, &v.padding);
  guard.Finish();
  EXPECT_FALSE(guard.found()) << "no dialog may appear";
  EXPECT_EQ(r, 0);
  EXPECT_EQ(v.zero, 7);
  EXPECT_EQ(v.shift, 8);
  EXPECT_EQ(v.padding, 9);
}

// ==== "整理券番号の設定" ====================================================

int32_t Run101(const support::Farelib& farelib, HWND owner, int32_t n, Values101* v, std::function<void(fldlg::Dialog&)> body) {
  fldlg::Script script(std::move(body), kTitle101);
  int32_t r = farelib.Call_dlg101(owner, n, &v->format, &v->leading_zero);
  EXPECT_TRUE(script.Finish()) << script.error();
  return r;
}

TEST_P(SettingsDialogs, TicketFormatShowsTheTwelveFormats) {
  Values101 v{4, 1};
  int32_t r = Run101(farelib, nullptr, 20, &v, [](fldlg::Dialog& d) {
    EXPECT_EQ(d.ComboItems(kFormatCombo),
              Cp932List({u8"1,2,3...20 （既定の表示）", u8"0,1,2...19", u8"「なし」、1,2...19", u8"「なし」、2,3...20",
                         u8"「無券」、1,2...19", u8"「無券」、2,3...20", u8"「券なし」、1,2...19",
                         u8"「券なし」、2,3...20", u8"「券無し」、1,2...19", u8"「券無し」、2,3...20",
                         u8"(無地)、1,2...19", u8"(無地)、2,3...20"}));
    EXPECT_EQ(d.ComboSelection(kFormatCombo), 4);
    EXPECT_EQ(d.CheckState(kLeadingZeroCheck), BST_CHECKED);
    d.PressKey(VK_RETURN);
  });
  EXPECT_EQ(r, 1) << "OK returns the flag just written";
  EXPECT_EQ(v.format, 4);
  EXPECT_EQ(v.leading_zero, 1);
}

TEST_P(SettingsDialogs, TicketFormatEdgeCounts) {
  struct Case {
    int32_t n;
    int index;
    const char8_t* text;
  } cases[] = {{1, 1, u8"0,1,2...0"},       {1, 3, u8"「なし」、2,3...1"},
               {0, 0, u8"1,2,3...0 （既定の表示）"}, {0, 1, u8"0,1,2...-1"},
               {-32768, 1, u8"0,1,2...32767"}, {0x10014, 1, u8"0,1,2...19"}};
  for (const auto& c : cases) {
    Values101 v{0, 0};
    Run101(farelib, nullptr, c.n, &v, [&](fldlg::Dialog& d) {
      EXPECT_EQ(d.ComboCount(kFormatCombo), 12);
      EXPECT_EQ(d.ComboItem(kFormatCombo, c.index), support::Cp932(c.text)) << "N = " << c.n << ", index " << c.index;
      d.Click(kCancelButton);
    });
  }
}

TEST_P(SettingsDialogs, TicketFormatManualCheckBox) {
  Values101 v{0, 0};
  int32_t r = Run101(farelib, nullptr, 10, &v, [](fldlg::Dialog& d) {
    EXPECT_EQ(d.CheckState(kLeadingZeroCheck), BST_UNCHECKED);
    d.Click(kLeadingZeroCheck);
    EXPECT_EQ(d.CheckState(kLeadingZeroCheck), BST_CHECKED) << "one click checks";
    d.Click(kLeadingZeroCheck);
    EXPECT_EQ(d.CheckState(kLeadingZeroCheck), BST_UNCHECKED) << "a second click clears";
    d.Command(kLeadingZeroCheck);
    EXPECT_EQ(d.CheckState(kLeadingZeroCheck), BST_CHECKED) << "the procedure toggles on the command";
    d.Select(kFormatCombo, 9);
    d.Click(kOkButton);
  });
  EXPECT_EQ(r, 1);
  EXPECT_EQ(v.format, 9);
  EXPECT_EQ(v.leading_zero, 1);
}

TEST_P(SettingsDialogs, TicketFormatOkUncheckedWritesAndReturnsZero) {
  Values101 v{2, 1};
  int32_t r = Run101(farelib, nullptr, 10, &v, [](fldlg::Dialog& d) {
    d.Click(kLeadingZeroCheck);
    d.Select(kFormatCombo, 11);
    d.Click(kOkButton);
  });
  EXPECT_EQ(r, 0);
  EXPECT_EQ(v.format, 11);
  EXPECT_EQ(v.leading_zero, 0);
}

TEST_P(SettingsDialogs, TicketFormatCancelAndEscWriteNothing) {
  struct Case {
    const char* how;
    std::function<void(fldlg::Dialog&)> close;
  } cases[] = {{"Cancel button", [](fldlg::Dialog& d) { d.Click(kCancelButton); }},
               {"Esc", [](fldlg::Dialog& d) { d.PressKey(VK_ESCAPE); }}};
  for (const auto& c : cases) {
    Values101 v{3, 1};
    int32_t r = Run101(farelib, nullptr, 10, &v, [&](fldlg::Dialog& d) {
      d.Select(kFormatCombo, 5);
      d.Click(kLeadingZeroCheck);
      c.close(d);
      EXPECT_TRUE(fldlg::WaitForClose(d.hwnd())) << c.how;
    });
    EXPECT_EQ(r, 0) << c.how;
    EXPECT_EQ(v.format, 3) << c.how;
    EXPECT_EQ(v.leading_zero, 1) << c.how;
  }
}

TEST_P(SettingsDialogs, TicketFormatOutOfRangeIndex) {
  Values101 v{12, 0};
  int32_t r = Run101(farelib, nullptr, 10, &v, [](fldlg::Dialog& d) {
    EXPECT_EQ(d.ComboSelection(kFormatCombo), -1) << "index 12 shows nothing";
    d.Click(kOkButton);
  });
  EXPECT_EQ(r, 0);
  EXPECT_EQ(v.format, -1);
}

TEST_P(SettingsDialogs, TicketFormatWithoutADialog) {
  HostWindow host;
  Values101 v{5, 1};
  fldlg::Script guard([](fldlg::Dialog& d) { d.Click(kCancelButton); }, nullptr, 1500);
  int32_t r = farelib.Call_dlg101(NotAWindow(), 10, &v.format, &v.leading_zero);
  guard.Finish();
  EXPECT_FALSE(guard.found()) << "no dialog may appear";
  EXPECT_EQ(r, 0);
  EXPECT_EQ(v.format, 5);
  EXPECT_EQ(v.leading_zero, 1);
  // Over a real owner it opens, and closes with Enter.
  r = Run101(farelib, host.hwnd(), 10, &v, [](fldlg::Dialog& d) { d.PressKey(VK_RETURN); });
  EXPECT_EQ(r, 1);
}

// ==== "情報用数字の設定" ====================================================

// The ten fields of a record, for comparing records with readable failures.
std::string Fields(const InfoNumberSettings& r) {
  int16_t f[sizeof r / sizeof(int16_t)];
  std::memcpy(f, &r, sizeof f);
  std::string s;
  for (int16_t v : f) {
    s += s.empty() ? '[' : ',';
    s += std::to_string(v);
  }
  return s + ']';
}

int32_t Run102(const support::Farelib& farelib, HWND owner, int32_t n, InfoNumberSettings* rec,
               std::function<void(fldlg::Dialog&)> body) {
  fldlg::Script script(std::move(body), kTitle102);
  int32_t r = farelib.Call_dlg102(owner, n, rec);
  EXPECT_TRUE(script.Finish()) << script.error();
  return r;
}

TEST_P(SettingsDialogs, InfoNumbersShowsListsAndComesBackUnchanged) {
  InfoNumberSettings rec{1, 2, 3, 150, 5, 1, 0, 1, 0, 1};
  const InfoNumberSettings before = rec;
  int32_t r = Run102(farelib, nullptr, 5, &rec, [](fldlg::Dialog& d) {
    for (int id : kInfoCellCombos) EXPECT_EQ(d.ComboItems(id), NumberItems(5)) << "combo box " << id;
    EXPECT_EQ(d.ComboItems(kUserInfoColumnCombo), NumberItems(150));
    const int sel[] = {0, 1, 2, 149, 4};
    for (int k = 0; k < 5; ++k) EXPECT_EQ(d.ComboSelection(InfoCombo(k)), sel[k]) << "combo box " << InfoCombo(k);
    const int check[] = {1, 0, 1, 0, 1};
    for (int k = 0; k < 5; ++k) EXPECT_EQ(d.CheckState(InfoCheck(k)), check[k]) << "check box " << InfoCheck(k);
    d.PressKey(VK_RETURN);
  });
  EXPECT_EQ(r, 1) << "OK";
  EXPECT_EQ(Fields(rec), Fields(before));
}

TEST_P(SettingsDialogs, InfoNumbersEmptyCellLists) {
  for (int32_t n : {0, -3, -32768}) {
    InfoNumberSettings rec{1, 1, 1, 3, 1, 0, 0, 0, 0, 0};
    int32_t r = Run102(farelib, nullptr, n, &rec, [&](fldlg::Dialog& d) {
      for (int id : kInfoCellCombos) EXPECT_EQ(d.ComboCount(id), 0) << "combo box " << id << ", N = " << n;
      EXPECT_EQ(d.ComboCount(kUserInfoColumnCombo), 150);
      d.Click(kOkButton);
    });
    EXPECT_EQ(r, 1);
    EXPECT_EQ(Fields(rec), Fields({0, 0, 0, 3, 0, 0, 0, 0, 0, 0})) << "N = " << n;
  }
}

TEST_P(SettingsDialogs, InfoNumbersOutOfRangeFieldsComeBackAsZero) {
  InfoNumberSettings rec{3, -1, 0, 151, 2, 0, 0, 0, 0, 0};
  int32_t r = Run102(farelib, nullptr, 2, &rec, [](fldlg::Dialog& d) {
    for (int id : {kStopCountCellCombo, kTicketNumberCellCombo, kRouteNumberCellCombo, kUserInfoColumnCombo})
      EXPECT_EQ(d.ComboSelection(id), -1) << "combo box " << id;
    EXPECT_EQ(d.ComboSelection(kUserInfoCellCombo), 1);
    d.Click(kOkButton);
  });
  EXPECT_EQ(r, 1);
  EXPECT_EQ(Fields(rec), Fields({0, 0, 0, 0, 2, 0, 0, 0, 0, 0}));
}

TEST_P(SettingsDialogs, InfoNumbersChoicesAndIndependentBoxes) {
  InfoNumberSettings rec{0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  int32_t r = Run102(farelib, nullptr, 9, &rec, [](fldlg::Dialog& d) {
    d.Select(kStopCountCellCombo, 8);
    d.Select(kTicketNumberCellCombo, 0);
    d.Select(kUserInfoColumnCombo, 149);
    d.Click(kStopCountFromZeroCheck);  // while kShowStopCountCheck stays unchecked
    d.Click(kShowUserInfoCheck);
    d.Click(kOkButton);
  });
  EXPECT_EQ(r, 1);
  EXPECT_EQ(Fields(rec), Fields({9, 1, 0, 150, 0, 0, 1, 0, 0, 1}));
}

TEST_P(SettingsDialogs, InfoNumbersCancelAndEscLeaveTheRecord) {
  struct Case {
    const char* how;
    std::function<void(fldlg::Dialog&)> close;
  } cases[] = {{"Cancel button", [](fldlg::Dialog& d) { d.Click(kCancelButton); }},
               {"Esc", [](fldlg::Dialog& d) { d.PressKey(VK_ESCAPE); }}};
  for (const auto& c : cases) {
    InfoNumberSettings rec{2, 3, 4, 5, 6, 1, 1, 1, 1, 1};
    const InfoNumberSettings before = rec;
    int32_t r = Run102(farelib, nullptr, 8, &rec, [&](fldlg::Dialog& d) {
      d.Select(kStopCountCellCombo, 7);
      d.Select(kUserInfoColumnCombo, 0);
      d.Click(kShowStopCountCheck);
      d.Click(kShowUserInfoCheck);
      c.close(d);
    });
    EXPECT_EQ(r, 0) << c.how;
    EXPECT_EQ(Fields(rec), Fields(before)) << c.how;
  }
}

TEST_P(SettingsDialogs, InfoNumbersLargestCount) {
  InfoNumberSettings rec{32767, 1, 0, 0, 0, 0, 0, 0, 0, 0};
  int32_t r = Run102(farelib, nullptr, 32767, &rec, [](fldlg::Dialog& d) {
    for (int id : kInfoCellCombos) {
      EXPECT_EQ(d.ComboCount(id), 32767) << "combo box " << id;
      EXPECT_EQ(d.ComboItem(id, 32766), "32767") << "combo box " << id;
    }
    EXPECT_EQ(d.ComboSelection(kStopCountCellCombo), 32766);
    d.Select(kUserInfoCellCombo, 32766);
    d.Click(kOkButton);
  });
  EXPECT_EQ(r, 1);
  EXPECT_EQ(Fields(rec), Fields({32767, 1, 0, 0, 32767, 0, 0, 0, 0, 0}));
}

TEST_P(SettingsDialogs, InfoNumbersWithoutADialog) {
  InfoNumberSettings rec{1, 2, 3, 4, 5, 1, 1, 1, 1, 1};
  const InfoNumberSettings before = rec;
  fldlg::Script guard([](fldlg::Dialog& d) { d.Click(kCancelButton); }, nullptr, 1500);
  int32_t r = farelib.Call_dlg102(NotAWindow(), 5, &rec);
  guard.Finish();
  EXPECT_FALSE(guard.found()) << "no dialog may appear";
  EXPECT_EQ(r, 0);
  EXPECT_EQ(Fields(rec), Fields(before));
}

FARELIB_FOR_EACH_DLL(SettingsDialogs);

}  // namespace
