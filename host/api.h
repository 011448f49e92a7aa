// The library as the stand-in host sees it: a DLL loaded by path whose
// exports are looked up by name, so that the host works with whatever the
// loaded DLL offers and disables the rest.
#ifndef FAREHOST_API_H
#define FAREHOST_API_H

#include <windows.h>

#include <string>

#include "farelib.h"
#include "support/text.h"

namespace farehost {

// Every export of farelib4, with whether farelib3 has it too.
struct ExportInfo {
  const char* name;
  bool in_farelib3;
};
extern const ExportInfo kExports[19];

using DllMainProc = BOOL(WINAPI*)(HINSTANCE, DWORD, LPVOID);

struct Api {
  HMODULE module = nullptr;
  std::wstring path;  // as loaded
  std::wstring name;  // file name alone
  DWORD load_error = 0;

#define FAREHOST_EXPORT(fn) decltype(&::fn) fn = nullptr;
  FAREHOST_EXPORT(Call_dlg100)
  FAREHOST_EXPORT(Call_dlg101)
  FAREHOST_EXPORT(Call_dlg102)
  FAREHOST_EXPORT(Call_dlg110)
  FAREHOST_EXPORT(Call_dlg111)
  FAREHOST_EXPORT(GetOsInfo)
  FAREHOST_EXPORT(LenB_ASCII)
  FAREHOST_EXPORT(MidB_ASCII)
  FAREHOST_EXPORT(VantrelHpSndURL)
  FAREHOST_EXPORT(VantrelHpURL)
  FAREHOST_EXPORT(VantrelMailAddress)
  FAREHOST_EXPORT(ZE4_DrawSeiriken)
  FAREHOST_EXPORT(ZE4_GetPlgInfo)
  FAREHOST_EXPORT(ZE4_SetCorpAddList)
  FAREHOST_EXPORT(ZE4_SetPlgComment)
  FAREHOST_EXPORT(Ze3ChooseColor)
  FAREHOST_EXPORT(Ze3FileDlg)
  FAREHOST_EXPORT(Ze3FolderDlg)
#undef FAREHOST_EXPORT
  DllMainProc DllMain = nullptr;

  bool Load(const std::wstring& dll_path);
  bool Has(const char* export_name) const;
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
