#include "dialogs/template_decode.h"

namespace farelib::dlg {
namespace {

class Reader {
 public:
  Reader(const std::uint8_t* b, std::size_t n) : b_(b), n_(n) {}
  bool U16(std::uint16_t* v) {
    if (at_ + 2 > n_) return false;
    *v = static_cast<std::uint16_t>(b_[at_] | (b_[at_ + 1] << 8));
    at_ += 2;
    return true;
  }
  bool I16(std::int16_t* v) {
    std::uint16_t u;
    if (!U16(&u)) return false;
    *v = static_cast<std::int16_t>(u);
    return true;
  }
  bool U32(std::uint32_t* v) {
    std::uint16_t lo, hi;
    if (!U16(&lo) || !U16(&hi)) return false;
    *v = lo | (static_cast<std::uint32_t>(hi) << 16);
    return true;
  }
  bool Text(std::u16string* s) {
    s->clear();
    for (std::uint16_t c; U16(&c);) {
      if (c == 0) return true;
      s->push_back(static_cast<char16_t>(c));
    }
    return false;
  }
  bool AlignZero() {
    while (at_ % 4 != 0) {
      if (at_ >= n_ || b_[at_] != 0) return false;
      ++at_;
    }
    return true;
  }
  std::size_t at() const { return at_; }

 private:
  const std::uint8_t* b_;
  std::size_t n_;
  std::size_t at_ = 0;
};

bool Fail(std::string* error, const std::string& why, std::size_t at) {
  if (error) *error = why + " at offset " + std::to_string(at);
  return false;
}

}  // namespace

bool DecodeTemplate(const std::uint8_t* bytes, std::size_t size, DecodedTemplate* out, std::string* error) {
  Reader r(bytes, size);
  DecodedTemplate t{};
  std::uint16_t count = 0;
  if (!r.U32(&t.style) || !r.U32(&t.ex_style) || !r.U16(&count) || !r.I16(&t.x) || !r.I16(&t.y) ||
      !r.I16(&t.cx) || !r.I16(&t.cy) || !r.U16(&t.menu) || !r.U16(&t.window_class))
    return Fail(error, "header ends early", r.at());
  if (t.menu != 0 || t.window_class != 0) return Fail(error, "menu or class is not 0", r.at());
  if (!r.Text(&t.title)) return Fail(error, "title has no terminator", r.at());
  if (!r.U16(&t.point_size) || !r.Text(&t.typeface)) return Fail(error, "font ends early", r.at());
  for (std::uint16_t i = 0; i < count; ++i) {
    if (!r.AlignZero()) return Fail(error, "gap before item " + std::to_string(i) + " is not zero", r.at());
    DecodedControl c{};
    c.offset = r.at();
    if (!r.U32(&c.style) || !r.U32(&c.ex_style) || !r.I16(&c.x) || !r.I16(&c.y) || !r.I16(&c.cx) ||
        !r.I16(&c.cy) || !r.U16(&c.id) || !r.U16(&c.class_marker) || !r.U16(&c.class_atom))
      return Fail(error, "item " + std::to_string(i) + " ends early", r.at());
    if (c.class_marker != 0xFFFF) return Fail(error, "item class is not an atom", r.at());
    // The predefined classes: BUTTON 0x0080 to COMBOBOX 0x0085.
    if (c.class_atom < 0x0080 || c.class_atom > 0x0085)
      return Fail(error, "item class is not a predefined atom", r.at());
    if (!r.Text(&c.text)) return Fail(error, "item text has no terminator", r.at());
    if (!r.U16(&c.creation_size)) return Fail(error, "item ends early", r.at());
    if (c.creation_size != 0) return Fail(error, "item has creation data", r.at());
    t.controls.push_back(std::move(c));
  }
  t.size = r.at();
  *out = std::move(t);
  return true;
}

}  // namespace farelib::dlg
