// Dialog templates: a control table of any rows, written and decoded again,
// gives back its rows; and the decoder, on any bytes, reads nothing outside
// them, and what it accepts in the shape the writer makes is written back
// byte for byte.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/dialog_template.h"
#include "dialogs/template_decode.h"
#include "fuzz_support.h"

namespace {

namespace dlg = farelib::dlg;

// A text without NUL units, up to max units.
std::u16string Text(flfuzz::Input& in, std::size_t max) {
  std::u16string s;
  for (std::size_t n = in.U8() % (max + 1); n > 0; --n) {
    char16_t c = static_cast<char16_t>(in.U16());
    s.push_back(c == 0 ? u'?' : c);
  }
  return s;
}

// The template bytes of frame and rows, in a block of exactly their size.
std::vector<std::uint8_t> Written(const dlg::DialogFrame& frame, const std::vector<dlg::ControlRow>& rows) {
  const std::size_t size = dlg::TemplateSize(frame, rows.data(), rows.size());
  std::vector<std::uint8_t> bytes(size, 0xCD);
  const std::size_t wrote = dlg::WriteTemplate(frame, rows.data(), rows.size(), bytes.data());
  FUZZ_CHECK(wrote == size, "%zu rows: TemplateSize says %zu bytes, WriteTemplate wrote %zu", rows.size(), size, wrote);
  return bytes;
}

void BuiltTableDecodes(flfuzz::Input& in) {
  static const dlg::ControlClass kClasses[] = {dlg::ControlClass::Button, dlg::ControlClass::Edit,
                                               dlg::ControlClass::Static, dlg::ControlClass::ComboBox};
  const std::u16string title = Text(in, 40);
  const dlg::DialogFrame frame{in.U32(), in.I16(), in.I16(), title.c_str()};
  std::vector<std::u16string> texts(in.U8() % 24);
  std::vector<dlg::ControlRow> rows;
  for (std::u16string& text : texts) {
    text = Text(in, 16);
    dlg::ControlRow r{};
    r.id = in.U16();
    r.cls = kClasses[in.U8() % 4];
    r.style = in.U32();
    r.x = in.I16(), r.y = in.I16(), r.cx = in.I16(), r.cy = in.I16();
    r.text = text.c_str();
    rows.push_back(r);
  }
  const std::vector<std::uint8_t> bytes = Written(frame, rows);

  dlg::DecodedTemplate t;
  std::string error;
  FUZZ_CHECK(dlg::DecodeTemplate(bytes.data(), bytes.size(), &t, &error), "%zu rows: a written template does not decode: %s",
             rows.size(), error.c_str());
  FUZZ_CHECK(t.size == bytes.size(), "decoded %zu of %zu bytes", t.size, bytes.size());
  FUZZ_CHECK(t.style == frame.style && t.ex_style == 0 && t.x == 0 && t.y == 0 && t.cx == frame.cx && t.cy == frame.cy,
             "header: expected style 0x%08X, 0, 0, 0, %d, %d; got 0x%08X, 0x%08X, %d, %d, %d, %d", frame.style, frame.cx,
             frame.cy, t.style, t.ex_style, t.x, t.y, t.cx, t.cy);
  FUZZ_CHECK(t.title == title && t.point_size == dlg::kPointSize && t.typeface == dlg::kTypeface,
             "header texts: title of %zu units (expected %zu), point size %d, typeface of %zu units", t.title.size(),
             title.size(), t.point_size, t.typeface.size());
  FUZZ_CHECK(t.controls.size() == rows.size(), "expected %zu controls, got %zu", rows.size(), t.controls.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const dlg::ControlRow& r = rows[i];
    const dlg::DecodedControl& c = t.controls[i];
    FUZZ_CHECK(c.offset % 4 == 0, "control %zu at offset %zu, not on a multiple of 4", i, c.offset);
    FUZZ_CHECK(c.style == r.style && c.ex_style == 0 && c.x == r.x && c.y == r.y && c.cx == r.cx && c.cy == r.cy &&
                   c.id == r.id && c.class_marker == 0xFFFF && c.class_atom == static_cast<std::uint16_t>(r.cls) &&
                   c.text == texts[i] && c.creation_size == 0,
               "control %zu: expected id %u, class 0x%04X, style 0x%08X, %d,%d %dx%d, %zu text units; got id %u, "
               "class 0x%04X:0x%04X, style 0x%08X/0x%08X, %d,%d %dx%d, %zu text units, creation data %u",
               i, r.id, static_cast<unsigned>(r.cls), r.style, r.x, r.y, r.cx, r.cy, texts[i].size(), c.id,
               c.class_marker, c.class_atom, c.style, c.ex_style, c.x, c.y, c.cx, c.cy, c.text.size(), c.creation_size);
  }
}

void AnyBytesDecode(flfuzz::Input& in) {
  const std::string raw = in.Bytes(in.left());
  // An exact-size block, so that any read past the end is caught; 4-byte aligned, as templates are.
  std::unique_ptr<std::uint8_t[]> bytes(new std::uint8_t[raw.size()]);
  std::memcpy(bytes.get(), raw.data(), raw.size());
  dlg::DecodedTemplate t;
  std::string error;
  if (!dlg::DecodeTemplate(bytes.get(), raw.size(), &t, &error)) {
    FUZZ_CHECK(!error.empty(), "%zu bytes refused without a reason", raw.size());
    return;
  }
  FUZZ_CHECK(t.size <= raw.size(), "decoded %zu bytes of %zu", t.size, raw.size());
  const std::uint16_t count = static_cast<std::uint16_t>(bytes[8] | (bytes[9] << 8));
  FUZZ_CHECK(t.controls.size() == count, "header says %u controls, decoded %zu", count, t.controls.size());
  for (std::size_t i = 0; i < t.controls.size(); ++i) {
    const dlg::DecodedControl& c = t.controls[i];
    FUZZ_CHECK(c.offset % 4 == 0 && c.offset + 26 <= t.size && (i == 0 || c.offset > t.controls[i - 1].offset),
               "control %zu at offset %zu of %zu", i, c.offset, t.size);
    FUZZ_CHECK(c.class_marker == 0xFFFF && c.class_atom >= 0x0080 && c.class_atom <= 0x0085 && c.creation_size == 0,
               "control %zu accepted with class 0x%04X 0x%04X, creation data %u", i, c.class_marker, c.class_atom,
               c.creation_size);
  }

  // In the writer's shape (the fields it fixes have its values) the bytes
  // are exactly what the writer makes of the decoded rows.
  bool writers_shape = t.ex_style == 0 && t.x == 0 && t.y == 0 && t.point_size == dlg::kPointSize &&
                       t.typeface == dlg::kTypeface;
  for (const dlg::DecodedControl& c : t.controls) writers_shape = writers_shape && c.ex_style == 0;
  if (!writers_shape) return;
  const dlg::DialogFrame frame{t.style, t.cx, t.cy, t.title.c_str()};
  std::vector<dlg::ControlRow> rows;
  for (const dlg::DecodedControl& c : t.controls)
    rows.push_back({c.id, static_cast<dlg::ControlClass>(c.class_atom), c.style, c.x, c.y, c.cx, c.cy, c.text.c_str()});
  const std::vector<std::uint8_t> again = Written(frame, rows);
  FUZZ_CHECK(again.size() == t.size && std::memcmp(again.data(), bytes.get(), t.size) == 0,
             "decoded %zu bytes, written again %zu bytes that differ", t.size, again.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  flfuzz::Input in(data, size);
  if (in.U8() % 2)
    BuiltTableDecodes(in);
  else
    AnyBytesDecode(in);
  return 0;
}
