// The Windows version name for any major, minor, platform id and
// service-pack text: one of the table's names or the empty text, and the
// very one the table below (written here on its own) gives, with exactly the
// service-pack comparisons that row needs.
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz_support.h"
#include "text/windows_version.h"

namespace {

const char kUnknown[] = "\x93\xe4\x82\xcc" "Windows(^^;";  // 謎のWindows(^^;
const char* const kNames[] = {"Windows NT 3.51", "Windows 95", "Windows 95 OSR2", "Windows NT 4.0",
                              "Windows 98",      "Windows 98 SE", "Windows Me",   "Windows 2000",
                              "Windows XP",      "Windows Server 2003", "Windows Vista", "Windows 7",
                              kUnknown,          ""};

struct Expected {
  const char* name;
  const char* compared;  // the letters the row compares the service-pack text with
};

Expected Row(std::uint32_t major, std::uint32_t minor, std::uint32_t platform, const std::string& sp) {
  if (major == 3) return {"Windows NT 3.51", ""};
  if (major == 4) {
    if (minor == 0 && platform == 1) return {sp == "B" || sp == "C" ? "Windows 95 OSR2" : "Windows 95", "BC"};
    if (minor == 0) return {"Windows NT 4.0", ""};
    if (minor == 10) return {sp == "A" ? "Windows 98 SE" : "Windows 98", "A"};
    if (minor == 90) return {"Windows Me", ""};
    return {"", ""};
  }
  if (major == 5 && minor <= 2) return {minor == 0 ? "Windows 2000" : minor == 1 ? "Windows XP" : "Windows Server 2003", ""};
  if (major == 6 && minor == 0) return {"Windows Vista", ""};
  if (major == 7 && minor == 0) return {"Windows 7", ""};
  return {kUnknown, ""};
}

struct Comparisons {
  std::string text;      // the service-pack text
  std::string compared;  // the letters asked for, in order
};

// A number the table keys on, or any other.
std::uint32_t Number(flfuzz::Input& in) {
  static const std::uint32_t kKeys[] = {0, 1, 2, 3, 4, 5, 6, 7, 10, 90, 0xFFFFFFFFu};
  std::uint8_t how = in.U8();
  return how < 0xC0 ? kKeys[how % (sizeof kKeys / sizeof kKeys[0])] : in.U32();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  flfuzz::Input in(data, size);
  const std::uint32_t major = Number(in), minor = Number(in), platform = Number(in);
  Comparisons sp{in.Bytes(8).c_str(), ""};  // the text up to its NUL, as the record holds it
  farelib::ServicePackCompare compare{&sp, [](void* ctx, const char* letter) {
                                        auto* c = static_cast<Comparisons*>(ctx);
                                        FUZZ_CHECK(std::strlen(letter) == 1, "compared with %s, not one letter",
                                                   flfuzz::Show(letter, std::strlen(letter)).c_str());
                                        c->compared += letter;
                                        return c->text == letter;
                                      }};
  const char* name = farelib::WindowsVersionName(major, minor, platform, compare);
  FUZZ_CHECK(name != nullptr, "%u.%u platform %u: a null name", major, minor, platform);
  bool known = false;
  for (const char* n : kNames) known = known || std::strcmp(name, n) == 0;
  FUZZ_CHECK(known, "%u.%u platform %u: %s is no name of the table", major, minor, platform,
             flfuzz::Show(name, std::strlen(name)).c_str());
  const Expected want = Row(major, minor, platform, sp.text);
  FUZZ_CHECK(std::strcmp(name, want.name) == 0, "%u.%u platform %u, service pack %s: expected %s, got %s", major, minor,
             platform, flfuzz::Show(sp.text).c_str(), flfuzz::Show(want.name, std::strlen(want.name)).c_str(),
             flfuzz::Show(name, std::strlen(name)).c_str());
  FUZZ_CHECK(sp.compared == want.compared, "%u.%u platform %u: expected comparisons with %s, got %s", major, minor,
             platform, flfuzz::Show(want.compared, std::strlen(want.compared)).c_str(), flfuzz::Show(sp.compared).c_str());
  return 0;
}
