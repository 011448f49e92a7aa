// farelib3: the smaller export list; no start-up step beyond the string store.
#include "core/variant.h"

namespace farelib {

const ContactLinks kMakerLinks = kFarelib3Links;
const bool kAboutReleasesHomepageText = true;

void RunModuleInitialisers() {}

}  // namespace farelib
