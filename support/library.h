// Loading the DLLs as a host does: by path, from beside the running program
// (where the builds put the DLLs, the plug-ins and the programs that use
// them), and looking exports up by name.
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

// `dll` loaded from beside the running program for the life of the process;
// null, with a message on standard error, when it cannot be loaded.
HMODULE LoadBeside(const char* dll);

// The export `name` of `module` as a pointer of type F; null when absent.
template <class F>
F Export(HMODULE module, const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace support

#endif
