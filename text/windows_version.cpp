#include "text/windows_version.h"

namespace farelib {

const char kUnknownWindowsName[] = "謎のWindows(^^;";

namespace {

constexpr std::uint32_t kPlatformWin95Family = 1;  // VER_PLATFORM_WIN32_WINDOWS

const char* Version4Name(std::uint32_t minor, std::uint32_t platform_id, const ServicePackCompare& sp) {
  switch (minor) {
    case 0: {
      if (platform_id != kPlatformWin95Family) return "Windows NT 4.0";
      // Both comparisons are made; either one equal is enough.
      bool b = sp.equals(sp.ctx, "B");
      bool c = sp.equals(sp.ctx, "C");
      return (b || c) ? "Windows 95 OSR2" : "Windows 95";
    }
    case 10:
      return sp.equals(sp.ctx, "A") ? "Windows 98 SE" : "Windows 98";
    case 90:
      return "Windows Me";
    default:
      return "";
  }
}

}  // namespace

const char* WindowsVersionName(std::uint32_t major, std::uint32_t minor, std::uint32_t platform_id,
                               const ServicePackCompare& service_pack) {
  switch (major) {
    case 3:
      return "Windows NT 3.51";
    case 4:
      return Version4Name(minor, platform_id, service_pack);
    case 5:
      if (minor == 0) return "Windows 2000";
      if (minor == 1) return "Windows XP";
      if (minor == 2) return "Windows Server 2003";
      return kUnknownWindowsName;
    case 6:
      // 6.1 is not named "Windows 7": only 7.0 is.
      return minor == 0 ? "Windows Vista" : kUnknownWindowsName;
    case 7:
      return minor == 0 ? "Windows 7" : kUnknownWindowsName;
    default:
      return kUnknownWindowsName;
  }
}

}  // namespace farelib
