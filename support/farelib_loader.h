// farelib4.dll or farelib3.dll as a host sees it: a DLL loaded by path whose
// exports are looked up by name, one typed pointer per export, null where the
// loaded DLL lacks it. The stand-in host, the tests and the benchmarks all
// call the library through this table:
//
//   support::Farelib farelib;
//   if (farelib.LoadBeside("farelib4.dll")) farelib.LenB_ASCII("ABC");
#ifndef FARELIB_SUPPORT_FARELIB_LOADER_H
#define FARELIB_SUPPORT_FARELIB_LOADER_H

#include <windows.h>

#include <string>

#include "farelib.h"
#include "dll/export_list.h"

// Exported like the rest, but no header declares it for hosts; declared here
// for its type.
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved);

namespace support {

struct Farelib {
  HMODULE module = nullptr;
  std::wstring path;  // as loaded
  std::wstring name;  // file name alone
  DWORD load_error = 0;

#define FARELIB_LOADER_POINTER(fn, arg_bytes, in_farelib3) decltype(&::fn) fn = nullptr;
  FARELIB_EXPORT_LIST(FARELIB_LOADER_POINTER)
#undef FARELIB_LOADER_POINTER

  // Loads the DLL at `dll_path` (kept loaded for the life of the process)
  // and looks up every export. False when it cannot be loaded: `load_error`
  // says why and every pointer is null.
  bool Load(const std::wstring& dll_path);
  // `dll` from beside the running program, with a message on standard error
  // when it cannot be loaded.
  bool LoadBeside(const char* dll);

  bool Has(ExportId id) const { return Address(id) != nullptr; }
  // The export's address, for callers that must call it other than through
  // its type; null where the DLL lacks it.
  FARPROC Address(ExportId id) const;
  int Count() const;          // exports found
  bool IsFarelib3() const;    // by file name
};

}  // namespace support

#endif
