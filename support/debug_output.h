// Collects what the process writes with OutputDebugStringA while the catcher
// lives: the library's only diagnostic output, seen as a debugger would.
#ifndef FARELIB_SUPPORT_DEBUG_OUTPUT_H
#define FARELIB_SUPPORT_DEBUG_OUTPUT_H

#include <windows.h>

#include <string>
#include <vector>

namespace support {

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
  DebugOutputCatcher(const DebugOutputCatcher&) = delete;
  DebugOutputCatcher& operator=(const DebugOutputCatcher&) = delete;
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

}  // namespace support

#endif
