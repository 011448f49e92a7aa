// VantrelHpSndURL (farelib4 only): the sound page on the maker's web host.
#include <windows.h>

#include "core/store_win.h"
#include "farelib.h"
#include "text/contact_links.h"

extern "C" const char* WINAPI VantrelHpSndURL() {
  const char* url = farelib::kMakerLinks.sound_page;
  return farelib::g_strings.CreateCopy(url, lstrlenA(url));
}
