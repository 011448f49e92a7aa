// In-memory dialog templates, built at compile time from control tables.
//
// A template is the plain Win32 dialog template with DS_SETFONT, little
// endian, as DialogBoxIndirectParamA reads it:
//
//   header: style (32), extended style (32) = 0, item count (16), x, y, cx, cy
//           (16 each, x = y = 0), menu (16) = 0, class (16) = 0, title
//           (UTF-16, NUL-terminated), point size (16) = 9, typeface (UTF-16,
//           NUL-terminated) = "ＭＳ Ｐゴシック"
//   items:  each on the next multiple of 4 from the template's start, the gap
//           zero: style (32), extended style (32) = 0, x, y, cx, cy (16 each),
//           id (16), 0xFFFF + class atom (2 x 16), text (UTF-16,
//           NUL-terminated; empty = one 16-bit 0), creation data size (16) = 0
//
// Item order is row order, which is also the tab order. The bytes live in the
// library's constant data, 4-byte aligned; the library builds nothing at run
// time (WriteTemplate also serves tests that build from tables of their own).
#ifndef FARELIB_DIALOGS_DIALOG_TEMPLATE_H
#define FARELIB_DIALOGS_DIALOG_TEMPLATE_H

#include <cstddef>
#include <cstdint>

namespace farelib::dlg {

// Window and control style flags (the platform's values), so that the
// control tables read with the same names as the platform's headers;
// dialog_frame_win.cpp checks each against <windows.h>.
namespace style {
inline constexpr std::uint32_t kPopup = 0x80000000;          // WS_POPUP
inline constexpr std::uint32_t kChild = 0x40000000;          // WS_CHILD
inline constexpr std::uint32_t kVisible = 0x10000000;        // WS_VISIBLE
inline constexpr std::uint32_t kCaption = 0x00C00000;        // WS_CAPTION
inline constexpr std::uint32_t kSysMenu = 0x00080000;        // WS_SYSMENU
inline constexpr std::uint32_t kVScroll = 0x00200000;        // WS_VSCROLL
inline constexpr std::uint32_t kGroup = 0x00020000;          // WS_GROUP
inline constexpr std::uint32_t kTabStop = 0x00010000;        // WS_TABSTOP
inline constexpr std::uint32_t kModalFrame = 0x00000080;     // DS_MODALFRAME
inline constexpr std::uint32_t kSetFont = 0x00000040;        // DS_SETFONT
inline constexpr std::uint32_t kPushButton = 0x00000000;     // BS_PUSHBUTTON
inline constexpr std::uint32_t kDefPushButton = 0x00000001;  // BS_DEFPUSHBUTTON
inline constexpr std::uint32_t kCheckBox = 0x00000002;       // BS_CHECKBOX
inline constexpr std::uint32_t kAutoCheckBox = 0x00000003;   // BS_AUTOCHECKBOX
inline constexpr std::uint32_t kGroupBox = 0x00000007;       // BS_GROUPBOX
inline constexpr std::uint32_t kLeft = 0x00000000;           // SS_LEFT
inline constexpr std::uint32_t kDropDownList = 0x00000003;   // CBS_DROPDOWNLIST
inline constexpr std::uint32_t kDisableNoScroll = 0x00000800;  // CBS_DISABLENOSCROLL
inline constexpr std::uint32_t kSunken = 0x00001000;         // SS_SUNKEN
inline constexpr std::uint32_t kBitmap = 0x0000000E;         // SS_BITMAP
inline constexpr std::uint32_t kEditLeft = 0x00000000;       // ES_LEFT
inline constexpr std::uint32_t kMultiLine = 0x00000004;      // ES_MULTILINE
inline constexpr std::uint32_t kAutoHScroll = 0x00000080;    // ES_AUTOHSCROLL
inline constexpr std::uint32_t kReadOnly = 0x00000800;       // ES_READONLY
inline constexpr std::uint32_t kWantReturn = 0x00001000;     // ES_WANTRETURN

// The header style of every settings dialog.
inline constexpr std::uint32_t kDialog = kPopup | kCaption | kModalFrame | kSetFont;
}  // namespace style

// Predefined control class atoms.
enum class ControlClass : std::uint16_t { Button = 0x0080, Edit = 0x0081, Static = 0x0082, ComboBox = 0x0085 };

// One row of a control table: one control.
struct ControlRow {
  std::uint16_t id;
  ControlClass cls;
  std::uint32_t style;
  std::int16_t x, y, cx, cy;
  const char16_t* text;  // u"" for an empty text
};

// The parts of the header that differ between dialogs.
struct DialogFrame {
  std::uint32_t style;
  std::int16_t cx, cy;
  const char16_t* title;
};

inline constexpr std::uint16_t kPointSize = 9;
// "ＭＳ Ｐゴシック": full-width letters, an ordinary space.
inline constexpr char16_t kTypeface[] = u"\uFF2D\uFF33\u0020\uFF30\u30B4\u30B7\u30C3\u30AF";

// A template's bytes and their size, as the dialog code hands them over.
struct TemplateRef {
  const std::uint8_t* bytes;
  std::size_t size;
};

template <std::size_t Size>
struct TemplateBytes {
  alignas(4) std::uint8_t data[Size];
  static constexpr std::size_t size = Size;
  constexpr TemplateRef ref() const { return {data, Size}; }
};

namespace detail {

constexpr std::size_t TextUnits(const char16_t* s) {  // with the NUL
  std::size_t n = 0;
  while (s[n] != 0) ++n;
  return n + 1;
}
constexpr std::size_t Align4(std::size_t n) { return (n + 3) & ~static_cast<std::size_t>(3); }

// Never defined: reached only when a template's size is wrong, which is then
// no constant expression and so fails the build.
void SizeMismatch();

class Writer {
 public:
  constexpr explicit Writer(std::uint8_t* out) : out_(out) {}
  constexpr void U16(std::uint16_t v) {
    out_[at_++] = static_cast<std::uint8_t>(v & 0xFF);
    out_[at_++] = static_cast<std::uint8_t>(v >> 8);
  }
  constexpr void U32(std::uint32_t v) {
    U16(static_cast<std::uint16_t>(v & 0xFFFF));
    U16(static_cast<std::uint16_t>(v >> 16));
  }
  constexpr void I16(std::int16_t v) { U16(static_cast<std::uint16_t>(v)); }
  constexpr void Text(const char16_t* s) {
    for (std::size_t i = 0; i < TextUnits(s); ++i) U16(static_cast<std::uint16_t>(s[i]));
  }
  constexpr void Align() {
    while (at_ % 4 != 0) out_[at_++] = 0;
  }
  constexpr std::size_t at() const { return at_; }

 private:
  std::uint8_t* out_;
  std::size_t at_ = 0;
};

}  // namespace detail

// The byte size of the template for frame and rows[0..n).
constexpr std::size_t TemplateSize(const DialogFrame& frame, const ControlRow* rows, std::size_t n) {
  std::size_t size = 22 + 2 * detail::TextUnits(frame.title) + 2 + 2 * detail::TextUnits(kTypeface);
  for (std::size_t i = 0; i < n; ++i) size = detail::Align4(size) + 22 + 2 * detail::TextUnits(rows[i].text) + 2;
  return size;
}
template <std::size_t N>
constexpr std::size_t TemplateSize(const DialogFrame& frame, const ControlRow (&rows)[N]) {
  return TemplateSize(frame, rows, N);
}

// Writes the template for frame and rows[0..n) (n < 65536) to out, which must
// hold TemplateSize(frame, rows, n) bytes; returns the bytes written. Items
// start on multiples of 4 from out, so out itself must be 4-byte aligned for
// the platform to read the template.
constexpr std::size_t WriteTemplate(const DialogFrame& frame, const ControlRow* rows, std::size_t n,
                                    std::uint8_t* out) {
  detail::Writer w(out);
  w.U32(frame.style);
  w.U32(0);  // extended style
  w.U16(static_cast<std::uint16_t>(n));
  w.I16(0);  // x
  w.I16(0);  // y
  w.I16(frame.cx);
  w.I16(frame.cy);
  w.U16(0);  // no menu
  w.U16(0);  // the system's dialog class
  w.Text(frame.title);
  w.U16(kPointSize);
  w.Text(kTypeface);
  for (std::size_t i = 0; i < n; ++i) {
    const ControlRow& r = rows[i];
    w.Align();
    w.U32(r.style);
    w.U32(0);  // extended style
    w.I16(r.x);
    w.I16(r.y);
    w.I16(r.cx);
    w.I16(r.cy);
    w.U16(r.id);
    w.U16(0xFFFF);
    w.U16(static_cast<std::uint16_t>(r.cls));
    w.Text(r.text);
    w.U16(0);  // no creation data
  }
  return w.at();
}

// The template bytes for frame and rows; Size must be TemplateSize(frame, rows).
template <std::size_t Size, std::size_t N>
constexpr TemplateBytes<Size> BuildTemplate(const DialogFrame& frame, const ControlRow (&rows)[N]) {
  TemplateBytes<Size> t{};
  if (WriteTemplate(frame, rows, N, t.data) != Size) detail::SizeMismatch();  // not a constant expression: fails the build
  return t;
}

}  // namespace farelib::dlg

// Builds a template constant from a frame and a row table.
#define FARELIB_DIALOG_TEMPLATE(frame, rows) \
  ::farelib::dlg::BuildTemplate<::farelib::dlg::TemplateSize(frame, rows)>(frame, rows)

#endif
