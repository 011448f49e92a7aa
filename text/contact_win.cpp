// The maker's links, as new library strings: VantrelMailAddress and
// VantrelHpURL in both DLLs, each with the values of its own deliverable.
#include <windows.h>

#include "core/store_win.h"
#include "farelib.h"
#include "text/contact_links.h"

extern "C" const char* WINAPI VantrelMailAddress() {
  const char* link = farelib::kMakerLinks.mail_link;
  return farelib::g_strings.CreateCopy(link, lstrlenA(link));
}

extern "C" const char* WINAPI VantrelHpURL() {
  const char* url = farelib::kMakerLinks.homepage;
  return farelib::g_strings.CreateCopy(url, lstrlenA(url));
}
