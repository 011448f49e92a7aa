// What differs between the two deliverables. Each DLL links exactly one
// variant file (variant4.cpp or variant3.cpp).
#ifndef FARELIB_CORE_VARIANT_H
#define FARELIB_CORE_VARIANT_H

namespace farelib {

// The module-level initialisers, run once at process attach after the string
// store is set up.
void RunModuleInitialisers();

}  // namespace farelib

#endif
