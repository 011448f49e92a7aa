#include "support/library.h"

#include "support/text.h"

namespace support {

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring s(path, n);
  return s.substr(0, s.find_last_of(L"\\/") + 1);
}

std::string BesideProgram(const char* file) { return Narrow(ProgramFolder() + Widen(file, -1, CP_ACP), CP_ACP); }

}  // namespace support
