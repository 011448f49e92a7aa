// How the bridge passes values on to a plug-in (no platform code).
#ifndef FARELIB_PLUGINS_PLUGIN_ARGS_H
#define FARELIB_PLUGINS_PLUGIN_ARGS_H

#include <cstdint>

namespace farelib {

// The last three values of ZE4_DrawSeiriken: only the low 16 bits of the
// argument slot count, taken as a signed number and widened with its sign
// (0x0001FFFF gives -1, 0x00008000 gives -32768, 0xFFFF7FFF gives 32767).
constexpr std::int32_t WidenLow16(std::int32_t slot) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<std::uint32_t>(slot) & 0xFFFFu));
}

}  // namespace farelib

#endif
