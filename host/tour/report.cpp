#include "host/tour/report.h"

#include <cstring>

#include "host/host.h"
#include "host/tour/tour.h"

namespace farehost {

void Out(const std::string& line) {
  HANDLE h = GetStdHandle(STD_OUTPUT_HANDLE);
  if (h == nullptr || h == INVALID_HANDLE_VALUE) return;
  DWORD mode, n;
  if (GetConsoleMode(h, &mode)) {
    std::wstring w = FromUtf8(line + "\n");
    WriteConsoleW(h, w.c_str(), static_cast<DWORD>(w.size()), &n, nullptr);
  } else {
    std::string s = line + "\n";
    WriteFile(h, s.data(), static_cast<DWORD>(s.size()), &n, nullptr);
  }
}

namespace tour {

namespace {
int g_calls, g_unexpected;
}  // namespace

void Line(bool ok, const std::string& call, const std::string& got, const std::string& note) {
  ++g_calls;
  if (!ok) ++g_unexpected;
  std::string s = (ok ? "  ok    " : "  FAIL  ") + call + " -> " + got;
  if (!note.empty()) s += "   " + note;
  Out(s);
}

void Fail(const std::string& text) {
  ++g_unexpected;
  Out("  FAIL  " + text);
}

void Info(const std::string& text) { Out("        " + text); }

int Calls() { return g_calls; }
int Unexpected() { return g_unexpected; }

std::string Num(long long v) { return std::to_string(v); }

std::string Stem() {
  std::string n = ToUtf8(g_host.farelib.name);
  size_t dot = n.rfind('.');
  return dot == std::string::npos ? n : n.substr(0, dot);
}

std::string Shown(const char* text) {
  if (!text) return "null";
  int32_t n = farelib_length(text);
  return "\"" + ToUtf8(FromCp932(text, n)) + "\" (" + Num(n) + " bytes)";
}

bool WellFormed(const char* text) {
  return text && farelib_length(text) == static_cast<int32_t>(std::strlen(text));
}

bool Present(ExportId id) {
  const char* name = support::Row(id).name;
  const bool listed = support::InDll(support::Row(id), g_host.farelib.IsFarelib3());
  if (g_host.farelib.Has(id)) {
    if (!listed) Line(false, name, "present", "(farelib3 must not export it)");
    return listed;
  }
  if (!listed)
    Out(std::string("  --    ") + name + ": not in " + ToUtf8(g_host.farelib.name) + " (farelib4 only); menu disabled");
  else
    Line(false, name, "missing", "(expected in " + ToUtf8(g_host.farelib.name) + ")");
  return false;
}

}  // namespace tour
}  // namespace farehost
