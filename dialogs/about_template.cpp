// The About box's control table, in template (tab) order, and its bytes.
#include "dialogs/about_date.h"

namespace farelib::dlg {
namespace {

using namespace style;
constexpr ControlClass kButton = ControlClass::Button;
constexpr ControlClass kStatic = ControlClass::Static;
constexpr ControlClass kEdit = ControlClass::Edit;

constexpr std::uint32_t kTextBox =
    kChild | kVisible | kTabStop | kEditLeft | kMultiLine | kAutoHScroll | kReadOnly | kWantReturn;

constexpr DialogFrame kAboutFrame{kDialog, 257, 138, u"Zelvoのバージョン情報"};
constexpr ControlRow kAboutRows[] = {
    // id  class    style                                            x    y   cx   cy  text
    {kOkButton, kButton, kChild | kVisible | kTabStop | kDefPushButton, 197, 120, 50, 14, u"OK"},
    // a sunken rule one unit high across the whole width
    {kLabel, kStatic, kChild | kVisible | kGroup | kLeft | kSunken, -1, 113, 258, 1, u""},
    // the picture, set at run time; the control sizes itself to it
    {kAboutPicture, kStatic, kChild | kVisible | kGroup | kBitmap,  0, 1, 120, 110, u""},
    // the host's text, set at run time
    {kAboutText, kEdit, kTextBox,                                   124, 2, 130, 110, u""},
    {kAboutLinkButton, kButton, kChild | kVisible | kTabStop | kPushButton, 4, 120, 146, 13,
     u"ここをクリックするとVantrelHPへジャンプします"},
};
constexpr auto kAboutBytes = FARELIB_DIALOG_TEMPLATE(kAboutFrame, kAboutRows);

static_assert(kTextBox == 0x50011884);
static_assert((kChild | kVisible | kGroup | kLeft | kSunken) == 0x50021000);
static_assert((kChild | kVisible | kGroup | kBitmap) == 0x5002000E);

}  // namespace

const TemplateRef kAboutTemplate = kAboutBytes.ref();
const TemplateTable kAboutTable = {&kAboutFrame, kAboutRows, sizeof kAboutRows / sizeof kAboutRows[0]};

}  // namespace farelib::dlg
