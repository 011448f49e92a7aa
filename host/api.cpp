#include "host/api.h"

#include <iterator>

#include "support/library.h"

namespace farehost {

bool Api::Load(const std::wstring& dll_path) {
  path = dll_path;
  size_t slash = dll_path.find_last_of(L"\\/");
  name = slash == std::wstring::npos ? dll_path : dll_path.substr(slash + 1);
  module = LoadLibraryW(dll_path.c_str());
  if (!module) {
    load_error = GetLastError();
    return false;
  }
#define FAREHOST_RESOLVE(fn, arg_bytes, in_farelib3) fn = support::Export<decltype(fn)>(module, #fn);
  FARELIB_EXPORT_LIST(FAREHOST_RESOLVE)
#undef FAREHOST_RESOLVE
  return true;
}

bool Api::Has(ExportId id) const {
  switch (id) {
#define FAREHOST_HAS(fn, arg_bytes, in_farelib3) \
  case ExportId::fn:                             \
    return fn != nullptr;
    FARELIB_EXPORT_LIST(FAREHOST_HAS)
#undef FAREHOST_HAS
  }
  return false;
}

int Api::Count() const {
  int n = 0;
  for (int i = 0; i < static_cast<int>(std::size(support::kExports)); ++i) n += Has(static_cast<ExportId>(i)) ? 1 : 0;
  return n;
}

bool Api::IsFarelib3() const { return _wcsicmp(name.c_str(), L"farelib3.dll") == 0; }

}  // namespace farehost
