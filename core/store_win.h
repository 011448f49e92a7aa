// The process-wide string store on the Windows heap, and the module handle.
#ifndef FARELIB_CORE_STORE_WIN_H
#define FARELIB_CORE_STORE_WIN_H

#include <windows.h>

#include "core/string_store.h"

namespace farelib {

// The library's module handle, as DllMain last received it.
extern HMODULE g_module;
// The one store of the process: process heap, a lock word per list,
// OutputDebugStringA for the unknown-pointer message.
extern StringStore g_strings;

// Sets the store up on the process heap (process attach).
void AttachStringStore();

// A registered copy of a host text (lstrlenA bytes; null counts as empty).
char* CopyHostText(const char* text);

// A library string released when the scope ends.
class TempString {
 public:
  explicit TempString(char* text) : text_(text) {}
  ~TempString() { g_strings.Release(text_); }
  TempString(const TempString&) = delete;
  TempString& operator=(const TempString&) = delete;
  char* get() const { return text_; }
  std::int32_t length() const { return StringStore::Length(text_); }

 private:
  char* text_;
};

}  // namespace farelib

#endif
