// Loads farelib4.dll from beside itself, as a host does, and prints what
// GetOsInfo returns as hex bytes, then the length prefix:
//   "57 69 6E ...|10"
// The OS-name test runs it under each Windows version that Wine can report.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "support/farelib_loader.h"
#include "support/hex.h"

int main() {
  support::Farelib farelib;
  if (!farelib.LoadBeside("farelib4.dll")) {
    std::printf("no farelib4.dll\n");
    return 2;
  }
  if (!farelib.GetOsInfo) {
    std::printf("no GetOsInfo\n");
    return 2;
  }
  const char* name = farelib.GetOsInfo();
  if (!name) {
    std::printf("null\n");
    return 1;
  }
  std::printf("%s|%ld\n", support::Hex(name, std::strlen(name)).c_str(), static_cast<long>(farelib_length(name)));
  return 0;
}
