// The settings dialogs' template bytes: the bytes the platform reads, checked
// against the published example bytes and sizes, and decoded back into rows
// that are compared with the control tables as published (ids as numbers,
// not the names of control_ids.h, and style words in hexadecimal, so that a
// wrong name or flag cannot hide behind itself).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/template_decode.h"
#include "dialogs/templates.h"
#include "support/hex.h"

namespace {

using farelib::dlg::DecodedTemplate;
using farelib::dlg::DecodeTemplate;
using farelib::dlg::TemplateRef;

constexpr uint16_t kButton = 0x80, kStatic = 0x82, kCombo = 0x85;

struct Row {
  uint16_t id, atom;
  uint32_t style;
  int16_t x, y, cx, cy;
  std::u16string text;
};

struct Expected {
  const char* name;
  TemplateRef t;
  size_t size;  // 0: not published
  int16_t cx, cy;
  std::u16string title;
  std::vector<Row> rows;
};

std::string Utf8(const std::u16string& s) {
  std::string out;
  for (char16_t c : s) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

const std::vector<Expected>& Published() {
  static const std::vector<Expected> all = {
      {"digital display",
       farelib::dlg::kDigitalDisplayTemplate,
       354,
       203,
       93,
       u"デジタル表示設定",
       {
           {1, kButton, 0x50010001, 148, 73, 49, 15, u"OK"},
           {0, kStatic, 0x50020000, 6, 5, 81, 11, u"ゼロ表示処理"},
           {10, kCombo, 0x50010003, 5, 17, 190, 58, u""},
           {11, kCombo, 0x50210003, 7, 45, 93, 58, u""},
           {12, kCombo, 0x50210003, 106, 45, 89, 60, u""},
           {0, kStatic, 0x50020000, 7, 33, 39, 11, u"桁のシフト"},
           {0, kStatic, 0x50020000, 106, 33, 55, 9, u"ゼロ埋め"},
           {13, kButton, 0x50010003, 8, 62, 150, 10, u"すべてのデジタル部品の表示形式に適用する"},
       }},
      {"ticket format",
       farelib::dlg::kTicketFormatTemplate,
       256,
       187,
       68,
       u"整理券番号の設定",
       {
           {1, kButton, 0x50010001, 79, 50, 50, 14, u"OK"},
           {2, kButton, 0x50010000, 133, 50, 50, 14, u"\uFF77\uFF6C\uFF9D\uFF7E\uFF99"},
           {10, kCombo, 0x50210003, 6, 16, 177, 100, u""},
           {0, kStatic, 0x50020000, 5, 4, 59, 10, u"表示形式"},
           {11, kButton, 0x50010002, 38, 32, 142, 14, u"数字が\uFF11桁の場合は10の位に0をつける"},
       }},
      {"information numbers",
       farelib::dlg::kInfoNumberTemplate,
       0,
       231,
       231,
       u"情報用数字の設定",
       {
           {1, kButton, 0x50010001, 122, 214, 50, 14, u"OK"},
           {2, kButton, 0x50010000, 175, 214, 50, 14, u"キャンセル"},
           {10, kCombo, 0x50210803, 18, 21, 37, 145, u""},
           {0, kStatic, 0x50020000, 59, 19, 161, 17, u"コマ目に設定。この情報は、自動的にデータの行数から取得して表示します"},
           {11, kCombo, 0x50210803, 18, 67, 37, 164, u""},
           {0, kStatic, 0x50020000, 59, 69, 165, 20,
            u"コマ目に設定。この情報は、自動的にデータの整理券番号列の値を表示します"},
           {19, kButton, 0x50010003, 5, 131, 120, 12, u"ユーザー独自の情報を表示する"},
           {0, kStatic, 0x50020000, 15, 150, 101, 13, u"データの\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000列目の値を"},
           {0, kStatic, 0x50020000, 150, 149, 55, 11, u"コマ目に表示する"},
           {14, kCombo, 0x50210803, 115, 147, 34, 127, u""},
           {0, kStatic, 0x50020000, 10, 169, 221, 17,
            u"データ内の使用していない列に独自の情報用数字を入れておき、表示したい場合にはこれを設定します。"},
           {0, kButton, 0x50000007, 5, 183, 223, 27, u""},
           {0, kStatic, 0x50020000, 7, 190, 217, 19,
            u"デジタル数字の桁ずらし、ゼロ埋めの設定は各部品をダブルクリックして設定してください。また、これら情報用"
            u"数字は運賃の表示よりも優先されます。"},
           {16, kButton, 0x50010003, 42, 37, 50, 14, u"0から数える"},
           {15, kButton, 0x50010003, 5, 5, 105, 14, u"停留所（駅）の個数情報を表示"},
           {17, kButton, 0x50010003, 5, 50, 73, 14, u"整理券番号を表示"},
           {18, kButton, 0x50010003, 5, 92, 66, 11, u"系統番号を表示"},
           {12, kCombo, 0x50210803, 18, 110, 37, 120, u""},
           {0, kStatic, 0x50020000, 59, 108, 165, 20, u"コマ目に設定。この情報は、自動的に系統設定の値を表示します"},
           {13, kCombo, 0x50210803, 42, 147, 33, 126, u""},
       }},
  };
  return all;
}

TEST(DialogTemplates, DigitalDisplayStartsWithThePublishedBytes) {
  const uint8_t header[60] = {
      0xC0, 0x00, 0xC0, 0x80, 0x00, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00, 0x00, 0x00, 0x00, 0xCB,
      0x00, 0x5D, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC7, 0x30, 0xB8, 0x30, 0xBF, 0x30, 0xEB, 0x30,
      0x68, 0x88, 0x3A, 0x79, 0x2D, 0x8A, 0x9A, 0x5B, 0x00, 0x00, 0x09, 0x00, 0x2D, 0xFF, 0x33,
      0xFF, 0x20, 0x00, 0x30, 0xFF, 0xB4, 0x30, 0xB7, 0x30, 0xC3, 0x30, 0xAF, 0x30, 0x00, 0x00};
  const uint8_t ok_item[32] = {0x01, 0x00, 0x01, 0x50, 0x00, 0x00, 0x00, 0x00, 0x94, 0x00, 0x49,
                               0x00, 0x31, 0x00, 0x0F, 0x00, 0x01, 0x00, 0xFF, 0xFF, 0x80, 0x00,
                               0x4F, 0x00, 0x4B, 0x00, 0x00, 0x00, 0x00, 0x00,
                               0x00, 0x00};  // and two zero bytes up to offset 92
  const TemplateRef& t = farelib::dlg::kDigitalDisplayTemplate;
  ASSERT_GE(t.size, 92u);
  EXPECT_EQ(support::Hex(t.bytes, 60), support::Hex(header, 60)) << "header";
  EXPECT_EQ(support::Hex(t.bytes + 60, 32), support::Hex(ok_item, 32)) << "OK button item and the gap";
  DecodedTemplate d;
  std::string error;
  ASSERT_TRUE(DecodeTemplate(t.bytes, t.size, &d, &error)) << error;
  ASSERT_GE(d.controls.size(), 2u);
  EXPECT_EQ(d.controls[1].offset, 92u) << "second item";
}

TEST(DialogTemplates, DecodeToThePublishedTables) {
  for (const Expected& e : Published()) {
    SCOPED_TRACE(e.name);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(e.t.bytes) % 4, 0u) << "a template starts on a 4-byte boundary";
    if (e.size) {
      EXPECT_EQ(e.t.size, e.size) << "template size";
    }
    DecodedTemplate d;
    std::string error;
    ASSERT_TRUE(DecodeTemplate(e.t.bytes, e.t.size, &d, &error)) << error;
    EXPECT_EQ(d.size, e.t.size) << "the last item ends the template";
    EXPECT_EQ(d.style, 0x80C000C0u);
    EXPECT_EQ(d.ex_style, 0u);
    EXPECT_EQ(d.x, 0);
    EXPECT_EQ(d.y, 0);
    EXPECT_EQ(d.cx, e.cx);
    EXPECT_EQ(d.cy, e.cy);
    EXPECT_EQ(Utf8(d.title), Utf8(e.title));
    EXPECT_EQ(d.point_size, 9);
    EXPECT_EQ(d.typeface, u"\uFF2D\uFF33\u0020\uFF30\u30B4\u30B7\u30C3\u30AF") << "ＭＳ Ｐゴシック";
    ASSERT_EQ(d.controls.size(), e.rows.size());
    for (size_t i = 0; i < e.rows.size(); ++i) {
      const auto& got = d.controls[i];
      const Row& want = e.rows[i];
      SCOPED_TRACE("row " + std::to_string(i + 1) + ", id " + std::to_string(want.id));
      EXPECT_EQ(got.offset % 4, 0u) << "item offset " << got.offset;
      EXPECT_EQ(got.id, want.id);
      EXPECT_EQ(got.class_atom, want.atom);
      EXPECT_EQ(got.style, want.style) << std::hex << "got 0x" << got.style << ", expected 0x" << want.style;
      EXPECT_EQ(got.ex_style, 0u);
      EXPECT_EQ((std::vector<int>{got.x, got.y, got.cx, got.cy}),
                (std::vector<int>{want.x, want.y, want.cx, want.cy}));
      EXPECT_EQ(Utf8(got.text), Utf8(want.text));
      EXPECT_EQ(got.creation_size, 0);
    }
  }
}

TEST(DialogTemplates, EmptyTextIsOneZeroUnitAndTheNextItemIsAligned) {
  // Combo box 10 of the digital display dialog: the third item, empty text.
  const TemplateRef& t = farelib::dlg::kDigitalDisplayTemplate;
  DecodedTemplate d;
  std::string error;
  ASSERT_TRUE(DecodeTemplate(t.bytes, t.size, &d, &error)) << error;
  size_t at = d.controls[2].offset;
  const uint8_t text_and_size[] = {0x00, 0x00, 0x00, 0x00};  // text 0, creation size 0
  EXPECT_EQ(support::Hex(t.bytes + at + 22, 4), support::Hex(text_and_size, 4));
  EXPECT_EQ(d.controls[3].offset, at + 28) << "26 bytes, two of padding";
}

TEST(DialogTemplates, DecoderRejectsDamagedBytes) {
  const TemplateRef& t = farelib::dlg::kTicketFormatTemplate;
  std::vector<uint8_t> b(t.bytes, t.bytes + t.size);
  DecodedTemplate d;
  std::string error;
  for (size_t cut : {size_t{0}, size_t{10}, size_t{59}, b.size() - 1}) {
    EXPECT_FALSE(DecodeTemplate(b.data(), cut, &d, &error)) << "cut at " << cut;
  }
  ASSERT_TRUE(DecodeTemplate(b.data(), b.size(), &d, &error)) << error;
  std::vector<uint8_t> gap = b;
  size_t second = d.controls[1].offset;
  ASSERT_EQ(gap[second - 1], 0) << "there is a gap before the second item";
  gap[second - 1] = 0xAA;
  EXPECT_FALSE(DecodeTemplate(gap.data(), gap.size(), &d, &error)) << "non-zero gap";
  std::vector<uint8_t> atom = b;
  atom[second + 20] = 0x86;  // the class atom's low byte: one past COMBOBOX
  EXPECT_FALSE(DecodeTemplate(atom.data(), atom.size(), &d, &error)) << "class atom 0x0086";
}

}  // namespace
