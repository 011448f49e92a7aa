// The control tables of the settings dialogs, one row per control in
// template (tab) order, and the template bytes built from them at compile
// time.
#include "dialogs/templates.h"

namespace farelib::dlg {
namespace {

using namespace style;
constexpr ControlClass kButton = ControlClass::Button;
constexpr ControlClass kStatic = ControlClass::Static;
constexpr ControlClass kCombo = ControlClass::ComboBox;

// ---- "デジタル表示設定" -------------------------------------------------
constexpr DialogFrame kDigitalDisplayFrame{kDialog, 203, 93, u"デジタル表示設定"};
constexpr ControlRow kDigitalDisplayRows[] = {
    // id, class, style,                                                             x, y, cx, cy, text
    {kOkButton, kButton, kChild | kVisible | kTabStop | kDefPushButton,                  148, 73, 49, 15, u"OK"},
    {kLabel, kStatic, kChild | kVisible | kGroup | kLeft,                                6, 5, 81, 11, u"ゼロ表示処理"},
    {kZeroHandlingCombo, kCombo, kChild | kVisible | kTabStop | kDropDownList,           5, 17, 190, 58, u""},
    {kDigitShiftCombo, kCombo, kChild | kVisible | kVScroll | kTabStop | kDropDownList,  7, 45, 93, 58, u""},
    {kZeroPaddingCombo, kCombo, kChild | kVisible | kVScroll | kTabStop | kDropDownList, 106, 45, 89, 60, u""},
    {kLabel, kStatic, kChild | kVisible | kGroup | kLeft,                                7, 33, 39, 11, u"桁のシフト"},
    {kLabel, kStatic, kChild | kVisible | kGroup | kLeft,                                106, 33, 55, 9, u"ゼロ埋め"},
    {kApplyToAllCheck, kButton, kChild | kVisible | kTabStop | kAutoCheckBox,            8, 62, 150, 10,
     u"すべてのデジタル部品の表示形式に適用する"},
};
constexpr auto kDigitalDisplayBytes = FARELIB_DIALOG_TEMPLATE(kDigitalDisplayFrame, kDigitalDisplayRows);
static_assert(kDigitalDisplayBytes.size == 354);

// ---- "整理券番号の設定" -------------------------------------------------
constexpr DialogFrame kTicketFormatFrame{kDialog, 187, 68, u"整理券番号の設定"};
constexpr ControlRow kTicketFormatRows[] = {
    // id, class, style,                                                        x, y, cx, cy, text
    {kOkButton, kButton, kChild | kVisible | kTabStop | kDefPushButton,             79, 50, 50, 14, u"OK"},
    // "ｷｬﾝｾﾙ" in half-width katakana
    {kCancelButton, kButton, kChild | kVisible | kTabStop | kPushButton,            133, 50, 50, 14,
     u"\uFF77\uFF6C\uFF9D\uFF7E\uFF99"},
    {kFormatCombo, kCombo, kChild | kVisible | kVScroll | kTabStop | kDropDownList, 6, 16, 177, 100, u""},
    {kLabel, kStatic, kChild | kVisible | kGroup | kLeft,                           5, 4, 59, 10, u"表示形式"},
    // A manual check box: the dialog procedure toggles it. "１" is full-width.
    {kLeadingZeroCheck, kButton, kChild | kVisible | kTabStop | kCheckBox,          38, 32, 142, 14,
     u"数字が\uFF11桁の場合は10の位に0をつける"},
};
constexpr auto kTicketFormatBytes = FARELIB_DIALOG_TEMPLATE(kTicketFormatFrame, kTicketFormatRows);
static_assert(kTicketFormatBytes.size == 256);

// ---- "情報用数字の設定" -------------------------------------------------
constexpr std::uint32_t kInfoCombo = kChild | kVisible | kVScroll | kTabStop | kDropDownList | kDisableNoScroll;
constexpr std::uint32_t kInfoLabel = kChild | kVisible | kGroup | kLeft;
constexpr std::uint32_t kInfoCheck = kChild | kVisible | kTabStop | kAutoCheckBox;
constexpr DialogFrame kInfoNumberFrame{kDialog, 231, 231, u"情報用数字の設定"};
constexpr ControlRow kInfoNumberRows[] = {
    // id, class, style,                                                x, y, cx, cy, text
    {kOkButton, kButton, kChild | kVisible | kTabStop | kDefPushButton,  122, 214, 50, 14, u"OK"},
    {kCancelButton, kButton, kChild | kVisible | kTabStop | kPushButton, 175, 214, 50, 14, u"キャンセル"},
    {kStopCountCellCombo, kCombo, kInfoCombo,                            18, 21, 37, 145, u""},
    {kLabel, kStatic, kInfoLabel,                                        59, 19, 161, 17,
     u"コマ目に設定。この情報は、自動的にデータの行数から取得して表示します"},
    {kTicketNumberCellCombo, kCombo, kInfoCombo,                         18, 67, 37, 164, u""},
    {kLabel, kStatic, kInfoLabel,                                        59, 69, 165, 20,
     u"コマ目に設定。この情報は、自動的にデータの整理券番号列の値を表示します"},
    {kShowUserInfoCheck, kButton, kInfoCheck,                            5, 131, 120, 12, u"ユーザー独自の情報を表示する"},
    // eight ideographic spaces where kUserInfoColumnCombo sits
    {kLabel, kStatic, kInfoLabel,                                        15, 150, 101, 13,
     u"データの\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000列目の値を"},
    {kLabel, kStatic, kInfoLabel,                                        150, 149, 55, 11, u"コマ目に表示する"},
    {kUserInfoCellCombo, kCombo, kInfoCombo,                             115, 147, 34, 127, u""},
    {kLabel, kStatic, kInfoLabel,                                        10, 169, 221, 17,
     u"データ内の使用していない列に独自の情報用数字を入れておき、表示したい場合にはこれを設定します。"},
    {kLabel, kButton, kChild | kVisible | kGroupBox,                     5, 183, 223, 27, u""},
    {kLabel, kStatic, kInfoLabel,                                        7, 190, 217, 19,
     u"デジタル数字の桁ずらし、ゼロ埋めの設定は各部品をダブルクリックして設定してください。"
     u"また、これら情報用数字は運賃の表示よりも優先されます。"},
    {kStopCountFromZeroCheck, kButton, kInfoCheck,                       42, 37, 50, 14, u"0から数える"},
    {kShowStopCountCheck, kButton, kInfoCheck,                           5, 5, 105, 14, u"停留所（駅）の個数情報を表示"},
    {kShowTicketNumberCheck, kButton, kInfoCheck,                        5, 50, 73, 14, u"整理券番号を表示"},
    {kShowRouteNumberCheck, kButton, kInfoCheck,                         5, 92, 66, 11, u"系統番号を表示"},
    {kRouteNumberCellCombo, kCombo, kInfoCombo,                          18, 110, 37, 120, u""},
    {kLabel, kStatic, kInfoLabel,                                        59, 108, 165, 20,
     u"コマ目に設定。この情報は、自動的に系統設定の値を表示します"},
    {kUserInfoColumnCombo, kCombo, kInfoCombo,                           42, 147, 33, 126, u""},
};
constexpr auto kInfoNumberBytes = FARELIB_DIALOG_TEMPLATE(kInfoNumberFrame, kInfoNumberRows);

static_assert(kInfoCombo == 0x50210803 && kInfoLabel == 0x50020000 && kInfoCheck == 0x50010003);
static_assert(kDialog == 0x80C000C0);

}  // namespace

const TemplateRef kDigitalDisplayTemplate = kDigitalDisplayBytes.ref();
const TemplateRef kTicketFormatTemplate = kTicketFormatBytes.ref();
const TemplateRef kInfoNumberTemplate = kInfoNumberBytes.ref();

const TemplateTable kDigitalDisplayTable = {&kDigitalDisplayFrame, kDigitalDisplayRows,
                                            sizeof kDigitalDisplayRows / sizeof kDigitalDisplayRows[0]};
const TemplateTable kTicketFormatTable = {&kTicketFormatFrame, kTicketFormatRows,
                                          sizeof kTicketFormatRows / sizeof kTicketFormatRows[0]};
const TemplateTable kInfoNumberTable = {&kInfoNumberFrame, kInfoNumberRows,
                                        sizeof kInfoNumberRows / sizeof kInfoNumberRows[0]};

}  // namespace farelib::dlg
