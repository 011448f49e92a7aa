// The three settings dialogs driven as a person would, in both DLLs.
#include <gtest/gtest.h>

#include "dialog_driver.h"
#include "farelib_test.h"

namespace {

using Dlg100Fn = int32_t(WINAPI*)(HWND, int32_t, int16_t*, int16_t*, int16_t*);

class Dialog100 : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    HMODULE m = fltest::Library(GetParam());
    ASSERT_NE(m, nullptr);
    dlg100 = fltest::Export<Dlg100Fn>(m, "Call_dlg100");
    ASSERT_NE(dlg100, nullptr);
  }
  Dlg100Fn dlg100 = nullptr;
};

TEST_P(Dialog100, Smoke) {
  int16_t z = 2, s = 3, p = 4;
  fldlg::Script script([](fldlg::Dialog& d) {
    auto items = d.ComboItems(11);
    EXPECT_EQ(items.size(), 5u);
    if (!items.empty()) EXPECT_EQ(items[4], fltest::Cp932(u8"4桁"));
    EXPECT_EQ(d.ComboSelection(10), 2);
    d.PressKey(VK_ESCAPE);
    EXPECT_TRUE(d.IsOpen());
    for (auto& c : d.Snapshot())
      printf("%s id=%d style=%08lx %d,%d,%d,%d\n", c.class_name.c_str(), c.id, c.style, c.dlu.x, c.dlu.y, c.dlu.cx, c.dlu.cy);
    d.Click(13);
    EXPECT_EQ(d.CheckState(13), 1);
    d.PressKey(VK_RETURN);
  }, L"デジタル表示設定");
  int32_t r = dlg100(nullptr, 5, &z, &s, &p);
  ASSERT_TRUE(script.Finish()) << script.error();
  EXPECT_EQ(r, 1);
  EXPECT_EQ(z, 2);
}

INSTANTIATE_TEST_SUITE_P(BothDlls, Dialog100, ::testing::Values("farelib4.dll", "farelib3.dll"));

}  // namespace
