// Helpers for the Windows tests: loading the DLLs as a host does, reading
// library strings, and catching the library's debugger output.
#ifndef FARELIB_TESTS_WINE_FARELIB_TEST_H
#define FARELIB_TESTS_WINE_FARELIB_TEST_H

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace fltest {

// The full path of a file beside the test program (where the DLLs are built).
inline std::string BesideExe(const char* file) {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s(path, n);
  return s.substr(0, s.find_last_of("\\/") + 1) + file;
}

// A DLL loaded by path for the life of the test program.
inline HMODULE Library(const char* dll) {
  HMODULE m = LoadLibraryA(BesideExe(dll).c_str());
  if (!m) std::fprintf(stderr, "cannot load %s (error %lu)\n", dll, GetLastError());
  return m;
}

template <class F>
F Export(HMODULE m, const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m, name)));
}

// The 32-bit length that a library string carries before its text.
inline std::int32_t LengthPrefix(const char* text) {
  std::int32_t n;
  std::memcpy(&n, text - 4, 4);
  return n;
}

// UTF-8 text in code page 932, by the system's own converter.
inline std::string Cp932(const char8_t* utf8) {
  const char* u = reinterpret_cast<const char*>(utf8);
  int wn = MultiByteToWideChar(CP_UTF8, 0, u, -1, nullptr, 0);
  std::wstring w(static_cast<size_t>(wn), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, u, -1, w.data(), wn);
  int n = WideCharToMultiByte(932, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(932, 0, w.c_str(), -1, out.data(), n, nullptr, nullptr);
  out.resize(static_cast<size_t>(n > 0 ? n - 1 : 0));
  return out;
}

// Bytes as hex, for failure messages about code page 932 text.
inline std::string Hex(const std::string& bytes) {
  std::string out;
  char b[4];
  for (unsigned char c : bytes) {
    std::snprintf(b, sizeof b, "%02X ", c);
    out += b;
  }
  return out;
}

// Collects what the process writes with OutputDebugStringA while it lives.
class DebugOutputCatcher {
 public:
  DebugOutputCatcher() {
    Current() = this;
    handler_ = AddVectoredExceptionHandler(1, Handler);
  }
  ~DebugOutputCatcher() {
    RemoveVectoredExceptionHandler(handler_);
    Current() = nullptr;
  }
  const std::vector<std::string>& messages() const { return messages_; }

 private:
  static DebugOutputCatcher*& Current() {
    static DebugOutputCatcher* current;
    return current;
  }
  static LONG CALLBACK Handler(EXCEPTION_POINTERS* e) {
    const EXCEPTION_RECORD* r = e->ExceptionRecord;
    if (r->ExceptionCode == DBG_PRINTEXCEPTION_C && r->NumberParameters >= 2 && Current()) {
      const char* text = reinterpret_cast<const char*>(r->ExceptionInformation[1]);
      Current()->messages_.emplace_back(text, r->ExceptionInformation[0] ? r->ExceptionInformation[0] - 1 : 0);
    }
    return EXCEPTION_CONTINUE_SEARCH;
  }
  PVOID handler_;
  std::vector<std::string> messages_;
};

}  // namespace fltest

#endif
