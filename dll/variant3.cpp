// farelib3: the smaller export list; no start-up step beyond the string store.
#include "dialogs/about_date.h"
#include "dll/variant.h"
#include "text/contact_links.h"

namespace farelib {

const ContactLinks kMakerLinks = kFarelib3Links;
const bool dlg::kAboutReleasesHomepageText = true;

void RunModuleInitialisers() {}

}  // namespace farelib
