// Cutting text by bytes: which stretch of an n-byte text MidB_ASCII returns,
// and the string it makes of it.
#ifndef FARELIB_TEXT_BYTESTRING_H
#define FARELIB_TEXT_BYTESTRING_H

#include <cstdint>

#include "core/string_store.h"

namespace farelib {

struct ByteRange {
  std::int32_t offset;  // 0-based
  std::int32_t length;  // 0: the empty string
};

// The stretch of an n-byte text that starts at the 1-based byte position
// start and holds count bytes; count 0 means "to the end". A start before
// the first byte or after the last, or a negative count, gives the empty
// stretch; a count past the end is clamped. Double-byte characters are not
// decoded: a cut may split one.
constexpr ByteRange MidBRange(std::int32_t n, std::int32_t start, std::int32_t count) {
  if (start < 1 || count < 0) return {0, 0};
  std::int32_t s = start - 1;
  if (s >= n) return {0, 0};
  std::int32_t rest = n - s;
  if (count == 0 || count > rest) count = rest;
  return {s, count};
}

// MidB_ASCII's result for the n bytes at text (null when n is 0): a new
// string of `store` holding the stretch, copied straight from the caller's
// bytes. One block, one registration; the shared empty string when the heap
// cannot give the block.
inline char* MidBCut(StringStore& store, const char* text, std::int32_t n, std::int32_t start, std::int32_t count) {
  const ByteRange r = MidBRange(n, start, count);
  return store.CreateCopy(r.length > 0 ? text + r.offset : nullptr, r.length);
}

}  // namespace farelib

#endif
