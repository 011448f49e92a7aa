#include "support/farelib_loader.h"

#include <cstdio>
#include <iterator>

#include "support/library.h"
#include "support/text.h"

namespace support {
namespace {

template <class F>
F Lookup(HMODULE module, const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

bool Farelib::Load(const std::wstring& dll_path) {
  *this = Farelib{};
  path = dll_path;
  size_t slash = dll_path.find_last_of(L"\\/");
  name = slash == std::wstring::npos ? dll_path : dll_path.substr(slash + 1);
  module = LoadLibraryW(dll_path.c_str());
  if (!module) {
    load_error = GetLastError();
    return false;
  }
#define FARELIB_LOADER_RESOLVE(fn, arg_bytes, in_farelib3) fn = Lookup<decltype(fn)>(module, #fn);
  FARELIB_EXPORT_LIST(FARELIB_LOADER_RESOLVE)
#undef FARELIB_LOADER_RESOLVE
  return true;
}

bool Farelib::LoadBeside(const char* dll) {
  if (Load(ProgramFolder() + Widen(dll, -1, CP_ACP))) return true;
  std::fprintf(stderr, "cannot load %s (error %lu)\n", ToUtf8(path).c_str(), load_error);
  return false;
}

FARPROC Farelib::Address(ExportId id) const {
  switch (id) {
#define FARELIB_LOADER_ADDRESS(fn, arg_bytes, in_farelib3) \
  case ExportId::fn:                                       \
    return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(fn));
    FARELIB_EXPORT_LIST(FARELIB_LOADER_ADDRESS)
#undef FARELIB_LOADER_ADDRESS
  }
  return nullptr;
}

int Farelib::Count() const {
  int n = 0;
  for (int i = 0; i < static_cast<int>(std::size(kExports)); ++i) n += Has(static_cast<ExportId>(i)) ? 1 : 0;
  return n;
}

bool Farelib::IsFarelib3() const { return _wcsicmp(name.c_str(), L"farelib3.dll") == 0; }

}  // namespace support
