// The settings dialogs' templates: their control tables and their bytes.
#ifndef FARELIB_DIALOGS_TEMPLATES_H
#define FARELIB_DIALOGS_TEMPLATES_H

#include "dialogs/control_ids.h"
#include "dialogs/dialog_template.h"

namespace farelib::dlg {

// "デジタル表示設定" (Call_dlg100): 8 controls, 354 bytes.
extern const TemplateRef kDigitalDisplayTemplate;
// "整理券番号の設定" (Call_dlg101): 5 controls, 256 bytes.
extern const TemplateRef kTicketFormatTemplate;
// "情報用数字の設定" (Call_dlg102): 20 controls.
extern const TemplateRef kInfoNumberTemplate;

// The tables the templates are built from, for tests and tools.
struct TemplateTable {
  const DialogFrame* frame;
  const ControlRow* rows;
  std::size_t count;
};
extern const TemplateTable kDigitalDisplayTable;
extern const TemplateTable kTicketFormatTable;
extern const TemplateTable kInfoNumberTable;

}  // namespace farelib::dlg

#endif
