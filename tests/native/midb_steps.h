// MidB_ASCII made step by step as its contract describes it, to check the
// library's way against: the host's text copied into a string of the store,
// the stretch taken from that copy, the copy released.
#ifndef FARELIB_TESTS_NATIVE_MIDB_STEPS_H
#define FARELIB_TESTS_NATIVE_MIDB_STEPS_H

#include <cstdint>
#include <cstring>

#include "core/string_store.h"

namespace fltest {

inline char* MidBBySteps(farelib::StringStore& store, const char* text, std::int32_t start, std::int32_t count) {
  char* copy = store.CreateCopy(text, text ? static_cast<std::int32_t>(std::strlen(text)) : 0);
  const std::int32_t n = farelib::StringStore::Length(copy);
  char* result;
  if (start < 1) {
    result = store.CreateEmpty();
  } else if (const std::int32_t s = start - 1; s >= n || count < 0) {
    result = store.CreateEmpty();  // a negative count: the empty string, like the other cases outside the text
  } else {
    if (count == 0) count = n - s;
    if (count > n - s) count = n - s;
    result = store.CreateCopy(copy + s, count);
  }
  store.Release(copy);
  return result;
}

}  // namespace fltest

#endif
