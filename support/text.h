// Text between the code pages a host meets: the library's narrow text is code
// page 932, windows are UTF-16, reports and test sources are UTF-8. All by the
// platform's own converter.
#ifndef FARELIB_SUPPORT_TEXT_H
#define FARELIB_SUPPORT_TEXT_H

#include <windows.h>

#include <string>

namespace support {

// `length` bytes of `text` (up to its NUL when negative) in code page
// `code_page`, as UTF-16; null gives the empty text.
std::wstring Widen(const char* text, int length, UINT code_page);
// UTF-16 text in code page `code_page`.
std::string Narrow(const std::wstring& text, UINT code_page);

inline std::wstring FromCp932(const char* text, int length = -1) { return Widen(text, length, 932); }
inline std::string ToCp932(const std::wstring& text) { return Narrow(text, 932); }
inline std::wstring FromUtf8(const std::string& text) {
  return Widen(text.data(), static_cast<int>(text.size()), CP_UTF8);
}
inline std::string ToUtf8(const std::wstring& text) { return Narrow(text, CP_UTF8); }

// A UTF-8 literal in code page 932: Cp932(u8"運賃") is "\x89\x5E\x92\xC0".
inline std::string Cp932(const char8_t* utf8) {
  return ToCp932(Widen(reinterpret_cast<const char*>(utf8), -1, CP_UTF8));
}

}  // namespace support

#endif
