// farelib4: the full library.
#include "dialogs/about_date.h"
#include "dll/variant.h"
#include "text/contact_links.h"
#include "text/os_info_win.h"

namespace farelib {

const ContactLinks kMakerLinks = kFarelib4Links;
const bool dlg::kAboutReleasesHomepageText = false;

void RunModuleInitialisers() {
  // The Windows version that GetOsInfo names for the life of the library.
  RecordWindowsVersion();
}

}  // namespace farelib
