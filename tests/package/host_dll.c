/* A host that is itself a DLL, with no DllMain of its own, linked with
   farelib4's import library: its start-up code calls whatever DllMain the
   link found. It opens farelib4's About box for about_from_dll.exe. */
#include <farelib.h>

__declspec(dllexport) int32_t show_about(void) {
  return Call_dlg110(NULL, 1, "host DLL without DllMain");
}
