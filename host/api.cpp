#include "host/api.h"

namespace farehost {

const ExportInfo kExports[19] = {
    {"Call_dlg100", true},       {"Call_dlg101", true},       {"Call_dlg102", true},
    {"Call_dlg110", true},       {"Call_dlg111", false},      {"DllMain", true},
    {"GetOsInfo", false},        {"LenB_ASCII", true},        {"MidB_ASCII", true},
    {"VantrelHpSndURL", false},  {"VantrelHpURL", true},      {"VantrelMailAddress", true},
    {"ZE4_DrawSeiriken", false}, {"ZE4_GetPlgInfo", false},   {"ZE4_SetCorpAddList", false},
    {"ZE4_SetPlgComment", false}, {"Ze3ChooseColor", true},   {"Ze3FileDlg", true},
    {"Ze3FolderDlg", false},
};

namespace {
template <class F>
void Resolve(HMODULE m, const char* name, F& out) {
  out = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m, name)));
}
}  // namespace

bool Api::Load(const std::wstring& dll_path) {
  path = dll_path;
  size_t slash = dll_path.find_last_of(L"\\/");
  name = slash == std::wstring::npos ? dll_path : dll_path.substr(slash + 1);
  module = LoadLibraryW(dll_path.c_str());
  if (!module) {
    load_error = GetLastError();
    return false;
  }
#define FAREHOST_RESOLVE(fn) Resolve(module, #fn, fn);
  FAREHOST_RESOLVE(Call_dlg100)
  FAREHOST_RESOLVE(Call_dlg101)
  FAREHOST_RESOLVE(Call_dlg102)
  FAREHOST_RESOLVE(Call_dlg110)
  FAREHOST_RESOLVE(Call_dlg111)
  FAREHOST_RESOLVE(GetOsInfo)
  FAREHOST_RESOLVE(LenB_ASCII)
  FAREHOST_RESOLVE(MidB_ASCII)
  FAREHOST_RESOLVE(VantrelHpSndURL)
  FAREHOST_RESOLVE(VantrelHpURL)
  FAREHOST_RESOLVE(VantrelMailAddress)
  FAREHOST_RESOLVE(ZE4_DrawSeiriken)
  FAREHOST_RESOLVE(ZE4_GetPlgInfo)
  FAREHOST_RESOLVE(ZE4_SetCorpAddList)
  FAREHOST_RESOLVE(ZE4_SetPlgComment)
  FAREHOST_RESOLVE(Ze3ChooseColor)
  FAREHOST_RESOLVE(Ze3FileDlg)
  FAREHOST_RESOLVE(Ze3FolderDlg)
  FAREHOST_RESOLVE(DllMain)
#undef FAREHOST_RESOLVE
  return true;
}

bool Api::Has(const char* export_name) const {
  return module && GetProcAddress(module, export_name) != nullptr;
}

int Api::Count() const {
  int n = 0;
  for (const ExportInfo& e : kExports) n += Has(e.name) ? 1 : 0;
  return n;
}

bool Api::IsFarelib3() const { return _wcsicmp(name.c_str(), L"farelib3.dll") == 0; }

}  // namespace farehost
