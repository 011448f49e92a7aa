// GetOsInfo: the name of the Windows version recorded at process attach.
#include "text/os_info_win.h"

#include "core/store_win.h"
#include "farelib.h"
#include "text/windows_version.h"

namespace farelib {
namespace {

OSVERSIONINFOA g_version;

// The platform's comparison: the service-pack text, as a fresh library string
// made for each comparison and released after it, against one letter in the
// system default locale, case-sensitive. Only CSTR_EQUAL counts as equal.
bool ServicePackEquals(void* ctx, const char* letter) {
  const OSVERSIONINFOA& record = *static_cast<const OSVERSIONINFOA*>(ctx);
  // szCSDVersion is read up to its first NUL and never past its 128 bytes.
  std::int32_t n = 0;
  while (n < static_cast<std::int32_t>(sizeof record.szCSDVersion) && record.szCSDVersion[n] != '\0') ++n;
  TempString text(g_strings.CreateCopy(record.szCSDVersion, n));
  // Without heap for the copy, compare the record's bytes in place.
  const char* bytes = g_strings.IsFallback(text.get()) ? record.szCSDVersion : text.get();
  return CompareStringA(LOCALE_SYSTEM_DEFAULT, 0, bytes, n, letter, 1) == CSTR_EQUAL;
}

}  // namespace

void RecordWindowsVersion() {
  g_version.dwOSVersionInfoSize = sizeof g_version;  // 148
  GetVersionExA(&g_version);
}

const OSVERSIONINFOA& RecordedWindowsVersion() { return g_version; }

char* NameWindowsVersion(const OSVERSIONINFOA& record) {
  ServicePackCompare sp{const_cast<OSVERSIONINFOA*>(&record), ServicePackEquals};
  const char* name =
      WindowsVersionName(record.dwMajorVersion, record.dwMinorVersion, record.dwPlatformId, sp);
  return g_strings.CreateCopy(name, lstrlenA(name));
}

}  // namespace farelib

extern "C" const char* WINAPI GetOsInfo() { return farelib::NameWindowsVersion(farelib::RecordedWindowsVersion()); }
