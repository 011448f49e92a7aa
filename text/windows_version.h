// The name of a Windows version, as GetOsInfo gives it.
//
// The naming table keys on the major and minor version, the platform id (only
// for 4.0) and the service-pack text, which is compared whole with the
// one-letter texts "A", "B" and "C". How texts compare is the platform's
// business (on Windows, CompareStringA in the system default locale); it
// comes in as a function so that the table runs anywhere.
#ifndef FARELIB_TEXT_WINDOWS_VERSION_H
#define FARELIB_TEXT_WINDOWS_VERSION_H

#include <cstdint>

namespace farelib {

// Whether the whole service-pack text equals letter, a one-letter text.
struct ServicePackCompare {
  void* ctx;
  bool (*equals)(void* ctx, const char* letter);
};

// "謎のWindows(^^;" in code page 932: the name of every version the table
// does not know.
extern const char kUnknownWindowsName[];

// The display name of the version (code page 932, never null). Version 4
// with a minor number other than 0, 10 and 90 gives the empty text.
// For 4.0 on platform id 1, both "B" and "C" are compared.
const char* WindowsVersionName(std::uint32_t major, std::uint32_t minor, std::uint32_t platform_id,
                               const ServicePackCompare& service_pack);

}  // namespace farelib

#endif
