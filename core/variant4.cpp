// farelib4: the full library.
#include "core/variant.h"
#include "text/os_info_win.h"

namespace farelib {

const ContactLinks kMakerLinks = kFarelib4Links;
const bool kAboutReleasesHomepageText = false;

void RunModuleInitialisers() {
  // The Windows version that GetOsInfo names for the life of the library.
  RecordWindowsVersion();
}

}  // namespace farelib
