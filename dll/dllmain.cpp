#include <windows.h>

#include "core/store_win.h"
#include "dll/variant.h"
#include "farelib.h"

// Records the module handle on every call; sets the library up at process
// attach. Nothing is torn down at detach: strings handed to the host stay
// valid for the life of the process. The set-up runs once: a host that calls
// the exported DllMain with the attach reason again must not orphan the
// strings already handed out.
//
// Every other reason gives FALSE. The loader reads the result only at
// process attach, so for thread attach and detach and for process detach
// the FALSE goes nowhere; a host that calls the exported DllMain itself gets
// 0 for those reasons, as farelib.h documents. The reserved argument says
// how the DLL was loaded and changes nothing here.
namespace {
bool g_attached;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID /*reserved*/) {
  farelib::g_module = module;
  if (reason != DLL_PROCESS_ATTACH) return FALSE;
  if (!g_attached) {
    g_attached = true;
    farelib::AttachStringStore();
    farelib::RunModuleInitialisers();
  }
  return TRUE;
}
