// LenB_ASCII and MidB_ASCII: byte length and byte cut of a host text.
//
// Both read the host's bytes where they are: no copy of the text is made, and
// no lock is taken but the store's own when MidB_ASCII registers its result.
// A copy would hold the same bytes, so the results are the same; it would
// only cost an allocation and two rounds of the store's lock per call.
#include <windows.h>

#include "core/store_win.h"
#include "farelib.h"
#include "text/bytestring.h"

extern "C" int32_t WINAPI LenB_ASCII(const char* text) { return lstrlenA(text); }

extern "C" const char* WINAPI MidB_ASCII(const char* text, int32_t start, int32_t count) {
  return farelib::MidBCut(farelib::g_strings, text, lstrlenA(text), start, count);
}
