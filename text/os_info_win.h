// The Windows version record (farelib4 only): filled once at process attach,
// named by GetOsInfo.
#ifndef FARELIB_TEXT_OS_INFO_WIN_H
#define FARELIB_TEXT_OS_INFO_WIN_H

#include <windows.h>

namespace farelib {

// The start-up step: asks the platform for its version once. If the query
// fails, the record stays as it was (all zero in a fresh library).
void RecordWindowsVersion();

// The recorded version.
const OSVERSIONINFOA& RecordedWindowsVersion();

// A new library string naming the version in record (the naming table of
// text/windows_version.h, with CompareStringA deciding what is equal).
char* NameWindowsVersion(const OSVERSIONINFOA& record);

}  // namespace farelib

#endif
