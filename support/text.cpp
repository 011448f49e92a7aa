#include "support/text.h"

#include <cstring>

namespace support {

std::wstring Widen(const char* text, int length, UINT code_page) {
  if (!text) return std::wstring();
  if (length < 0) length = static_cast<int>(std::strlen(text));
  if (length == 0) return std::wstring();
  int n = MultiByteToWideChar(code_page, 0, text, length, nullptr, 0);
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(code_page, 0, text, length, w.data(), n);
  return w;
}

std::string Narrow(const std::wstring& text, UINT code_page) {
  if (text.empty()) return std::string();
  const int length = static_cast<int>(text.size());
  int n = WideCharToMultiByte(code_page, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(code_page, 0, text.data(), length, s.data(), n, nullptr, nullptr);
  return s;
}

}  // namespace support
