// Where the running program is: the builds put the DLLs, the plug-ins and
// the programs that use them side by side. support/farelib_loader.h loads the
// library from there.
#ifndef FARELIB_SUPPORT_LIBRARY_H
#define FARELIB_SUPPORT_LIBRARY_H

#include <windows.h>

#include <string>

namespace support {

// The folder of the running program, with a trailing backslash.
std::wstring ProgramFolder();

// The full path of `file` beside the running program, in the ANSI code page
// (as the "A" functions and the bridge take paths).
std::string BesideProgram(const char* file);

}  // namespace support

#endif
