// The bridge's widening of ZE4_DrawSeiriken's last three values, for any
// argument slots: the low 16 bits as a signed number, worked out here with
// masks and arithmetic instead of casts.
#include <cstdint>

#include "fuzz_support.h"
#include "plugins/plugin_args.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  flfuzz::Input in(data, size);
  do {
    const std::uint32_t slot = in.U32();
    const std::int64_t low = slot & 0xFFFFu;
    const std::int64_t want = low >= 0x8000 ? low - 0x10000 : low;
    const std::int32_t got = farelib::WidenLow16(static_cast<std::int32_t>(slot));
    FUZZ_CHECK(got == want, "slot 0x%08X: expected %lld, got %d", slot, static_cast<long long>(want), got);
  } while (!in.empty());
  return 0;
}
