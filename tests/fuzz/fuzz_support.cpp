#include "fuzz_support.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "fake_heap.h"

namespace flfuzz {

void Fail(const char* format, ...) {
  std::fputs("check failed: ", stderr);
  va_list args;
  va_start(args, format);
  std::vfprintf(stderr, format, args);
  va_end(args);
  std::fputc('\n', stderr);
  std::abort();
}

std::string Show(const char* bytes, std::size_t n) {
  std::string out = "\"";
  for (std::size_t i = 0; i < n; ++i) {
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (c >= 0x20 && c < 0x7F && c != '\\' && c != '"') {
      out += static_cast<char>(c);
    } else {
      char esc[5];
      std::snprintf(esc, sizeof esc, "\\x%02X", c);
      out += esc;
    }
  }
  return out + "\"";
}

}  // namespace flfuzz

namespace fltest {

// A misuse of the fake heap is a finding like any failed check.
void HeapFault(const std::string& what) { flfuzz::Fail("fake heap: %s", what.c_str()); }

}  // namespace fltest
