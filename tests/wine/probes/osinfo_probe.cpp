// Loads farelib4.dll from beside itself, as a host does, and prints what
// GetOsInfo returns as hex bytes, then the length prefix:
//   "57 69 6E ...|10"
// The OS-name test runs it under each Windows version that Wine can report.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "farelib.h"
#include "support/hex.h"
#include "support/library.h"

int main() {
  HMODULE m = support::LoadBeside("farelib4.dll");
  if (!m) {
    std::printf("no farelib4.dll\n");
    return 2;
  }
  auto get_os_info = support::Export<decltype(&GetOsInfo)>(m, "GetOsInfo");
  if (!get_os_info) {
    std::printf("no GetOsInfo\n");
    return 2;
  }
  const char* name = get_os_info();
  if (!name) {
    std::printf("null\n");
    return 1;
  }
  std::printf("%s|%ld\n", support::Hex(name, std::strlen(name)).c_str(), static_cast<long>(farelib_length(name)));
  return 0;
}
