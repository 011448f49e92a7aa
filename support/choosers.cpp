#include "support/choosers.h"

#include <shlobj.h>

namespace fldlg {

std::string PickFolder(const Dialog& d, const std::string& path) {
  const std::string leaf = path.substr(path.find_last_of('\\') + 1);
  std::string picked;
  for (DWORD start = GetTickCount(); picked != leaf && GetTickCount() - start < kTimeoutMs; Sleep(20)) {
    SendMessageA(d.hwnd(), BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
    d.Settle();
    picked = d.TreeSelection(kFolderTree);
  }
  return picked;
}

}  // namespace fldlg
