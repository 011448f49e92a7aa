// Bytes as hex text, for reports and failure messages about code page 932
// text and binary records: "89 5E 92 C0". No <windows.h>: the native tests
// use it too.
#ifndef FARELIB_SUPPORT_HEX_H
#define FARELIB_SUPPORT_HEX_H

#include <cstddef>
#include <string>
#include <string_view>

namespace support {

// Two upper-case digits a byte, one space between bytes.
inline std::string Hex(const void* bytes, std::size_t n) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  const auto* b = static_cast<const unsigned char*>(bytes);
  std::string out;
  for (std::size_t i = 0; i < n; ++i) {
    if (i) out += ' ';
    out += kDigits[b[i] >> 4];
    out += kDigits[b[i] & 15];
  }
  return out;
}

inline std::string Hex(std::string_view bytes) { return Hex(bytes.data(), bytes.size()); }

}  // namespace support

#endif
