// Loads farelib4.dll from beside itself, as a host does, and prints what
// GetOsInfo returns as hex bytes, then the length prefix:
//   "57 69 6E ... |10"
// The OS-name test runs it under each Windows version that Wine can report.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

int main() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  while (n > 0 && path[n - 1] != '\\' && path[n - 1] != '/') --n;
  lstrcpyA(path + n, "farelib4.dll");
  HMODULE m = LoadLibraryA(path);
  if (!m) {
    std::printf("no farelib4.dll\n");
    return 2;
  }
  using Fn = const char*(WINAPI*)();
  auto get_os_info = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(m, "GetOsInfo")));
  if (!get_os_info) {
    std::printf("no GetOsInfo\n");
    return 2;
  }
  const char* name = get_os_info();
  if (!name) {
    std::printf("null\n");
    return 1;
  }
  std::int32_t length;
  std::memcpy(&length, name - 4, 4);
  for (const char* p = name; *p; ++p) std::printf("%02X ", static_cast<unsigned char>(*p));
  std::printf("|%ld\n", static_cast<long>(length));
  return 0;
}
