// What the fuzz targets share: reading values from the fuzzer's bytes, and
// stopping with a report when a check fails (libFuzzer then keeps the input;
// the corpus replay fails its test).
#ifndef FARELIB_TESTS_FUZZ_FUZZ_SUPPORT_H
#define FARELIB_TESTS_FUZZ_FUZZ_SUPPORT_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace flfuzz {

// The fuzzer's bytes, read front to back; past the end every value is 0.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool empty() const { return at_ >= size_; }
  std::size_t left() const { return size_ - at_; }
  std::uint8_t U8() { return at_ < size_ ? data_[at_++] : 0; }
  std::uint16_t U16() { return static_cast<std::uint16_t>(U8() | (U8() << 8)); }
  std::uint32_t U32() { return U16() | (static_cast<std::uint32_t>(U16()) << 16); }
  std::uint64_t U64() { return U32() | (static_cast<std::uint64_t>(U32()) << 32); }
  std::int16_t I16() { return static_cast<std::int16_t>(U16()); }
  std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
  // A small signed number, -128..127.
  std::int32_t Small() { return static_cast<std::int8_t>(U8()); }
  // A value in [0, n) (n > 0).
  std::uint32_t Below(std::uint32_t n) { return n <= 256 ? U8() % n : U32() % n; }
  // Up to max bytes, as many as are left.
  std::string Bytes(std::size_t max) {
    std::size_t n = left() < max ? left() : max;
    std::string s(reinterpret_cast<const char*>(data_ + at_), n);
    at_ += n;
    return s;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

// Prints "check failed: " and the printf-style message, then aborts.
[[noreturn]] void Fail(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Bytes as text for a message: printable ASCII as is, the rest as \xNN.
std::string Show(const char* bytes, std::size_t n);
inline std::string Show(const std::string& s) { return Show(s.data(), s.size()); }

}  // namespace flfuzz

#define FUZZ_CHECK(cond, ...)                 \
  do {                                        \
    if (!(cond)) ::flfuzz::Fail(__VA_ARGS__); \
  } while (0)

#endif
