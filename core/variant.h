// What differs between the two deliverables. Each DLL links exactly one
// variant file (variant4.cpp or variant3.cpp).
#ifndef FARELIB_CORE_VARIANT_H
#define FARELIB_CORE_VARIANT_H

#include "text/contact_links.h"

namespace farelib {

// The module-level initialisers, run once at process attach after the string
// store is set up.
void RunModuleInitialisers();

// This deliverable's maker links.
extern const ContactLinks kMakerLinks;

// Whether the About box releases the homepage text as soon as the shell has
// opened it (farelib3), or leaves it in the store like any text that
// VantrelHpURL hands out (farelib4).
extern const bool kAboutReleasesHomepageText;

}  // namespace farelib

#endif
