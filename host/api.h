// The library as the stand-in host sees it: a DLL loaded by path whose
// exports are looked up by name, so that the host works with whatever the
// loaded DLL offers and disables the rest.
#ifndef FAREHOST_API_H
#define FAREHOST_API_H

#include <windows.h>

#include <string>

#include "farelib.h"
#include "core/export_list.h"
#include "support/text.h"

// Exported like the rest, but no header declares it for hosts; declared here
// for its type.
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved);

namespace farehost {

using support::ExportId;

struct Api {
  HMODULE module = nullptr;
  std::wstring path;  // as loaded
  std::wstring name;  // file name alone
  DWORD load_error = 0;

  // One pointer per export, null where the DLL lacks it.
#define FAREHOST_POINTER(fn, arg_bytes, in_farelib3) decltype(&::fn) fn = nullptr;
  FARELIB_EXPORT_LIST(FAREHOST_POINTER)
#undef FAREHOST_POINTER

  bool Load(const std::wstring& dll_path);
  bool Has(ExportId id) const;
  int Count() const;
  bool IsFarelib3() const;  // by file name
};

// The library's narrow text is code page 932, the host's windows are
// UTF-16, the report is UTF-8: the shared converters.
using support::FromCp932;
using support::FromUtf8;
using support::ToCp932;
using support::ToUtf8;

}  // namespace farehost

#endif
