// GetOsInfo end to end: farelib4 records the version when it is loaded and
// names it by its table. Wine reports the version configured for a program
// name (HKCU\Software\Wine\AppDefaults\<exe>\Version), so a small host
// program, farelib_osinfo_probe.exe, is run once per version and prints what
// GetOsInfo gave it.
#include <gtest/gtest.h>

#include <string>

#include "support/hex.h"
#include "support/library.h"

namespace {

const char kProbe[] = "farelib_osinfo_probe.exe";
const char kAppKey[] = "Software\\Wine\\AppDefaults\\farelib_osinfo_probe.exe";

// The probe's output line, or an error text.
std::string RunProbe() {
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE read_end, write_end;
  if (!CreatePipe(&read_end, &write_end, &sa, 0)) return "<no pipe>";
  SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = write_end;
  si.hStdError = write_end;
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION pi{};
  std::string command = support::BesideProgram(kProbe);
  command.insert(command.begin(), '"');
  command.push_back('"');
  BOOL ok = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
  CloseHandle(write_end);
  if (!ok) {
    CloseHandle(read_end);
    return "<cannot start the probe>";
  }
  std::string out;
  char buf[256];
  DWORD got;
  while (ReadFile(read_end, buf, sizeof buf, &got, nullptr) && got > 0) out.append(buf, got);
  CloseHandle(read_end);
  if (WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0) {
    TerminateProcess(pi.hProcess, 1);
    out = "<probe timed out> " + out;
  }
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  return out;
}

// What the probe prints for a name: its bytes in hex, then the length prefix.
std::string Expected(const std::string& name) {
  std::string out = support::Hex(name);
  out += '|';
  out += std::to_string(name.size());
  return out;
}

class ProbeVersion {
 public:
  ProbeVersion() { RegCreateKeyExA(HKEY_CURRENT_USER, kAppKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr); }
  ~ProbeVersion() {
    RegCloseKey(key_);
    RegDeleteKeyA(HKEY_CURRENT_USER, kAppKey);
  }
  bool Set(const char* version) {
    return RegSetValueExA(key_, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                          static_cast<DWORD>(lstrlenA(version) + 1)) == ERROR_SUCCESS;
  }

 private:
  HKEY key_ = nullptr;
};

TEST(OsInfo, NamesTheVersionReportedAtLoad) {
  const std::string unknown = "\x93\xe4\x82\xcc" "Windows(^^;";
  // Wine's versions: what GetVersionExA reports, and the name the table gives.
  struct Case {
    const char* version;
    const char* reported;
    std::string want;
  } cases[] = {
      {"win95", "4.0, platform 1, no service pack", "Windows 95"},
      // Wine reports " A " for 98: compared whole, it is not "A".
      {"win98", "4.10, platform 1, \" A \"", "Windows 98"},
      {"winme", "4.90, platform 1", "Windows Me"},
      {"nt40", "4.0, platform 2", "Windows NT 4.0"},
      {"win2k", "5.0", "Windows 2000"},
      {"winxp", "5.1", "Windows XP"},
      {"win2003", "5.2", "Windows Server 2003"},
      {"vista", "6.0", "Windows Vista"},
      // 6.1 is not named "Windows 7" by the table.
      {"win7", "6.1", unknown},
      {"win10", "6.2 (10.0 only with a manifest)", unknown},
  };
  ProbeVersion probe;
  for (const auto& c : cases) {
    ASSERT_TRUE(probe.Set(c.version)) << c.version;
    EXPECT_EQ(RunProbe(), Expected(c.want)) << "Wine as " << c.version << " (" << c.reported << ")";
  }
}

}  // namespace
