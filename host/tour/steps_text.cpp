// The tour's calls without dialogs: DllMain again, the byte string
// functions, the maker's links and the Windows version name.
#include <cstring>
#include <string>

#include "host/tour/report.h"
#include "host/tour/steps.h"
#include "support/hex.h"

namespace farehost::tour {

namespace {

bool StartsWith(const char* s, const char* p) { return s && std::strncmp(s, p, std::strlen(p)) == 0; }
bool EndsWith(const char* s, const char* p) {
  size_t n = s ? std::strlen(s) : 0, m = std::strlen(p);
  return s && n >= m && std::strcmp(s + n - m, p) == 0;
}

}  // namespace

void DllMainAgain() {
  if (!Present(ExportId::DllMain)) return;
  BOOL thread = Dll().DllMain(Dll().module, DLL_THREAD_ATTACH, nullptr);
  Line(thread == FALSE, "DllMain(module, DLL_THREAD_ATTACH, 0)", Num(thread), thread ? "(expected 0)" : "");
  const char* kept = Dll().MidB_ASCII ? Dll().MidB_ASCII("ABCDE", 2, 3) : nullptr;
  BOOL again = Dll().DllMain(Dll().module, DLL_PROCESS_ATTACH, nullptr);
  bool still = !kept || (farelib_length(kept) == 3 && std::strcmp(kept, "BCD") == 0);
  Line(again == TRUE && still, "DllMain(module, DLL_PROCESS_ATTACH, 0) again", Num(again),
       still ? "(strings handed out before stay valid)" : "(a string handed out before changed)");
}

void ByteStrings() {
  const std::string fare = support::Cp932(u8"運賃");  // 89 5E 92 C0
  if (Present(ExportId::LenB_ASCII)) {
    struct {
      const char* text;
      const char* shown;
      int32_t want;
    } cases[] = {{fare.c_str(), "\"運賃\"", 4}, {"ABCDE", "\"ABCDE\"", 5}, {"", "\"\"", 0}, {nullptr, "null", 0}};
    for (const auto& c : cases) {
      int32_t n = Dll().LenB_ASCII(c.text);
      Line(n == c.want, std::string("LenB_ASCII(") + c.shown + ")", Num(n), n == c.want ? "" : "expected " + Num(c.want));
    }
  }
  if (Present(ExportId::MidB_ASCII)) {
    const std::string tail = support::Cp932(u8"賃");
    struct {
      const char* text;
      const char* shown;
      int32_t start, count;
      std::string want;
    } cases[] = {
        {"ABCDE", "\"ABCDE\"", 2, 3, "BCD"},
        {"ABCDE", "\"ABCDE\"", 4, 10, "DE"},
        {"ABCDE", "\"ABCDE\"", 1, 0, "ABCDE"},
        {"ABCDE", "\"ABCDE\"", 6, 1, ""},
        {"ABCDE", "\"ABCDE\"", 0, 2, ""},
        {"ABCDE", "\"ABCDE\"", 2, -1, ""},
        {fare.c_str(), "\"運賃\"", 2, 2, "\x5E\x92"},
        {fare.c_str(), "\"運賃\"", 3, 0, tail},
        {nullptr, "null", 1, 0, ""},
    };
    for (const auto& c : cases) {
      const char* r = Dll().MidB_ASCII(c.text, c.start, c.count);
      bool ok = WellFormed(r) && farelib_length(r) == static_cast<int32_t>(c.want.size()) &&
                std::memcmp(r, c.want.data(), c.want.size()) == 0;
      std::string call = std::string("MidB_ASCII(") + c.shown + ", " + Num(c.start) + ", " + Num(c.count) + ")";
      std::string got = r ? "bytes [" + support::Hex(r, farelib_length(r)) + "]" : "null";
      Line(ok, call, got, ok ? "" : "expected [" + support::Hex(c.want) + "]");
    }
  }
}

void LinksAndVersion() {
  const char* home = nullptr;
  if (Present(ExportId::VantrelHpURL)) {
    home = Dll().VantrelHpURL();
    const char* again = Dll().VantrelHpURL();
    bool ok = WellFormed(home) && StartsWith(home, "http://") && EndsWith(home, "/") && again != home &&
              std::strcmp(again, home) == 0;
    Line(ok, "VantrelHpURL()", Shown(home), ok ? "" : "(expected a new http://.../ string on every call)");
  }
  if (Present(ExportId::VantrelHpSndURL)) {
    const char* s = Dll().VantrelHpSndURL();
    bool ok = WellFormed(s) && EndsWith(s, "/zelvo/zelvo_sound.htm") && (!home || StartsWith(s, home));
    Line(ok, "VantrelHpSndURL()", Shown(s), ok ? "" : "(expected the homepage's host and /zelvo/zelvo_sound.htm)");
  }
  if (Present(ExportId::VantrelMailAddress)) {
    const char* s = Dll().VantrelMailAddress();
    bool ok = WellFormed(s) && StartsWith(s, "mailto:") && std::strchr(s, '@') != nullptr;
    Line(ok, "VantrelMailAddress()", Shown(s), ok ? "" : "(expected mailto:...@...)");
  }
  if (Present(ExportId::GetOsInfo)) {
    const char* s = Dll().GetOsInfo();
    static const char* const kNames[] = {"Windows NT 3.51", "Windows 95 OSR2", "Windows 95", "Windows NT 4.0",
                                         "Windows 98 SE", "Windows 98", "Windows Me", "", "Windows 2000",
                                         "Windows XP", "Windows Server 2003", "Windows Vista", "Windows 7"};
    bool named = false;
    for (const char* n : kNames) named |= s && std::strcmp(s, n) == 0;
    named |= s && std::strcmp(s, support::Cp932(u8"謎のWindows(^^;").c_str()) == 0;
    OSVERSIONINFOA v = {};
    v.dwOSVersionInfoSize = sizeof v;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExA(&v);
#pragma GCC diagnostic pop
    Line(WellFormed(s) && named, "GetOsInfo()", Shown(s),
         "(system reports " + Num(v.dwMajorVersion) + "." + Num(v.dwMinorVersion) + ")");
  }
}

}  // namespace farehost::tour
