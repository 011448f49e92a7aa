// What differs between the two deliverables. Each DLL links exactly one
// variant file (variant4.cpp or variant3.cpp), which also defines the
// deliverable's constants that lower layers declare: its maker links
// (text/contact_links.h) and how its About box treats the homepage text
// (dialogs/about_date.h).
#ifndef FARELIB_DLL_VARIANT_H
#define FARELIB_DLL_VARIANT_H

namespace farelib {

// The module-level initialisers, run once at process attach after the string
// store is set up.
void RunModuleInitialisers();

}  // namespace farelib

#endif
