// Reads template bytes back into a frame and rows: for tests and tools that
// check a template (or a template found in a built DLL) against its table.
#ifndef FARELIB_DIALOGS_TEMPLATE_DECODE_H
#define FARELIB_DIALOGS_TEMPLATE_DECODE_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace farelib::dlg {

struct DecodedControl {
  std::size_t offset;  // from the template's start
  std::uint32_t style, ex_style;
  std::int16_t x, y, cx, cy;
  std::uint16_t id;
  std::uint16_t class_marker, class_atom;  // 0xFFFF and the atom
  std::u16string text;
  std::uint16_t creation_size;
};

struct DecodedTemplate {
  std::uint32_t style, ex_style;
  std::int16_t x, y, cx, cy;
  std::uint16_t menu, window_class;
  std::u16string title;
  std::uint16_t point_size;
  std::u16string typeface;
  std::vector<DecodedControl> controls;
  std::size_t size;  // bytes read, from the start to the end of the last item
};

// Decodes the plain (not extended) DS_SETFONT template at bytes[0..size).
// False, with a reason in *error, when the bytes end early, a text has no
// terminator, a class is not a predefined atom, or a gap before an item is
// not zero.
bool DecodeTemplate(const std::uint8_t* bytes, std::size_t size, DecodedTemplate* out, std::string* error);

}  // namespace farelib::dlg

#endif
