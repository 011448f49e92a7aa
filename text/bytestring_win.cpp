// LenB_ASCII and MidB_ASCII: byte length and byte cut of a host text.
#include <windows.h>

#include "core/store_win.h"
#include "farelib.h"
#include "text/bytestring.h"

namespace farelib {
namespace {

// The library's own copy of a host text. If the heap cannot give one, the
// host's bytes are read in place, so the answer stays right.
class HostText {
 public:
  explicit HostText(const char* host) : copy_(CopyHostText(host)) {
    if (g_strings.IsFallback(copy_.get()) && host != nullptr && lstrlenA(host) > 0) {
      bytes_ = host;
      length_ = lstrlenA(host);
    } else {
      bytes_ = copy_.get();
      length_ = copy_.length();
    }
  }
  const char* bytes() const { return bytes_; }
  std::int32_t length() const { return length_; }

 private:
  TempString copy_;
  const char* bytes_;
  std::int32_t length_;
};

}  // namespace
}  // namespace farelib

extern "C" int32_t WINAPI LenB_ASCII(const char* text) {
  farelib::HostText copy(text);
  return copy.length();
}

extern "C" const char* WINAPI MidB_ASCII(const char* text, int32_t start, int32_t count) {
  farelib::HostText copy(text);
  farelib::ByteRange r = farelib::MidBRange(copy.length(), start, count);
  return farelib::g_strings.CreateCopy(copy.bytes() + r.offset, r.length);
}
