// The date dialog's template (farelib4 only): one OK button; the month
// calendar is created at run time. The only dialog with a close box.
#include "dialogs/about_date.h"

namespace farelib::dlg {
namespace {

using namespace style;

constexpr DialogFrame kDateFrame{kDialog | kSysMenu, 98, 125, u"日付の設定"};
constexpr ControlRow kDateRows[] = {
    // id  class                 style                                           x    y   cx  cy  text
    {kOkButton, ControlClass::Button, kChild | kVisible | kTabStop | kDefPushButton, 26, 107, 44, 14, u"OK"},
};
constexpr auto kDateBytes = FARELIB_DIALOG_TEMPLATE(kDateFrame, kDateRows);

static_assert((kDialog | kSysMenu) == 0x80C800C0);

}  // namespace

const TemplateRef kDateTemplate = kDateBytes.ref();
const TemplateTable kDateTable = {&kDateFrame, kDateRows, sizeof kDateRows / sizeof kDateRows[0]};

}  // namespace farelib::dlg
