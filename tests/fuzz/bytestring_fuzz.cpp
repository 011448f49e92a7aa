// Byte cutting: the stretch MidBRange picks for any length, start and count,
// worked out here on its own with 64-bit arithmetic; and the string
// MidB_ASCII makes of a host text in the string store, on a heap that may
// fail, against the same cut made by the documented steps (copy the text
// first, cut the copy) on a sound heap.
#include <cstdint>
#include <string>

#include "core/string_store.h"
#include "fake_heap.h"
#include "fuzz_support.h"
#include "midb_steps.h"
#include "text/bytestring.h"

namespace {

struct Stretch {
  std::int64_t offset, length;
};

// Positions are 1-based; count 0 runs to the end; anything outside the text,
// or a negative count, is the empty stretch.
Stretch Expected(std::int64_t n, std::int64_t start, std::int64_t count) {
  if (start < 1 || start > n || count < 0) return {0, 0};
  std::int64_t rest = n - (start - 1);
  return {start - 1, count == 0 || count > rest ? rest : count};
}

void CheckRange(std::int32_t n, std::int32_t start, std::int32_t count) {
  farelib::ByteRange r = farelib::MidBRange(n, start, count);
  Stretch want = Expected(n, start, count);
  FUZZ_CHECK(r.offset == want.offset && r.length == want.length,
             "MidBRange(%d, %d, %d): expected {%lld, %lld}, got {%d, %d}", n, start, count,
             static_cast<long long>(want.offset), static_cast<long long>(want.length), r.offset, r.length);
  if (n >= 0)
    FUZZ_CHECK(r.offset >= 0 && r.length >= 0 && std::int64_t{r.offset} + r.length <= n,
               "MidBRange(%d, %d, %d) = {%d, %d} leaves the text", n, start, count, r.offset, r.length);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  flfuzz::Input in(data, size);
  // Any numbers, including lengths no text has.
  CheckRange(in.I32(), in.I32(), in.I32());

  // A host text up to its NUL, cut as MidB_ASCII cuts it.
  const std::int32_t start = in.Small();
  const std::int32_t count = in.Small();
  const std::uint64_t failures = in.U8();  // which of the store's requests fail
  const std::string host = in.Bytes(512).c_str();
  const std::int32_t n = static_cast<std::int32_t>(host.size());
  CheckRange(n, start, count);

  fltest::HeapStore s, steps;
  s.heap.fail_pattern = failures;
  char* cut = farelib::MidBCut(s.store, host.c_str(), n, start, count);
  s.heap.fail_pattern = 0;
  // The cut's block is the first request; its list, which a new store has
  // yet to take, the second.
  const bool failed = (failures & 3u) != 0;
  char* model = fltest::MidBBySteps(steps.store, host.c_str(), start, count);
  const std::string expected(model, static_cast<std::size_t>(farelib::StringStore::Length(model)));
  const std::string got(cut, static_cast<std::size_t>(farelib::StringStore::Length(cut)));
  FUZZ_CHECK(failed ? s.store.IsFallback(cut) : got == expected && !s.store.IsFallback(cut),
             "MidB(%s, %d, %d): expected %s, got %s%s", flfuzz::Show(host).c_str(), start, count,
             failed ? "the shared empty string" : flfuzz::Show(expected).c_str(), flfuzz::Show(got).c_str(),
             s.store.IsFallback(cut) ? " (the shared empty string)" : "");
  FUZZ_CHECK(cut[got.size()] == '\0', "the cut of length %zu has no NUL after it", got.size());
  FUZZ_CHECK(s.store.LiveCount() == (failed ? 0 : 1) && s.heap.blocks.size() == (failed ? 0u : 1u) + s.OwnBlocks(),
             "after one cut: %d live strings, %zu blocks", s.store.LiveCount(), s.heap.blocks.size());
  return 0;
}
