// Naming the recorded Windows version with the platform's own comparison
// (CompareStringA, system default locale, flags 0).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/store_win.h"
#include "farelib.h"
#include "support/hex.h"
#include "text/os_info_win.h"

namespace {

using farelib::g_strings;
using farelib::StringStore;

const std::string kUnknown = "\x93\xe4\x82\xcc" "Windows(^^;";

OSVERSIONINFOA Record(DWORD major, DWORD minor, DWORD platform, const char* csd) {
  OSVERSIONINFOA r{};
  r.dwOSVersionInfoSize = sizeof r;
  r.dwMajorVersion = major;
  r.dwMinorVersion = minor;
  r.dwPlatformId = platform;
  std::memcpy(r.szCSDVersion, csd, std::strlen(csd) + 1);  // short texts only
  return r;
}

std::string Named(const OSVERSIONINFOA& r) {
  char* name = farelib::NameWindowsVersion(r);
  std::string s(name, static_cast<size_t>(StringStore::Length(name)));
  EXPECT_EQ(std::strlen(name), s.size()) << "length prefix";
  g_strings.Release(name);
  return s;
}

TEST(OsInfo, ServicePackComparedWholeAndCaseSensitive) {
  struct Case {
    DWORD major, minor, platform;
    const char* csd;
    std::string want;
  } cases[] = {
      {4, 0, 1, "B", "Windows 95 OSR2"}, {4, 0, 1, "C", "Windows 95 OSR2"}, {4, 0, 1, " B", "Windows 95"},
      {4, 0, 1, " C", "Windows 95"},     {4, 0, 1, "c", "Windows 95"},      {4, 0, 1, "b", "Windows 95"},
      {4, 0, 1, "", "Windows 95"},       {4, 0, 1, "B ", "Windows 95"},     {4, 0, 2, "B", "Windows NT 4.0"},
      {4, 10, 1, "A", "Windows 98 SE"},  {4, 10, 1, " A ", "Windows 98"},   {4, 10, 1, "a", "Windows 98"},
      {4, 10, 1, "B", "Windows 98"},     {4, 90, 1, "A", "Windows Me"},     {4, 3, 1, "", ""},
      {3, 10, 0, "", "Windows NT 3.51"}, {5, 1, 2, "Service Pack 3", "Windows XP"},
      {6, 1, 2, "Service Pack 1", kUnknown}, {7, 0, 2, "", "Windows 7"},    {10, 0, 2, "", kUnknown},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Named(Record(c.major, c.minor, c.platform, c.csd)), c.want)
        << c.major << "." << c.minor << ", platform " << c.platform << ", service pack \"" << c.csd << "\"";
}

TEST(OsInfo, RecordThatWasNeverFilled) {
  OSVERSIONINFOA zero{};
  EXPECT_EQ(support::Hex(Named(zero)), support::Hex(kUnknown)) << "major 0 is unknown";
}

TEST(OsInfo, ServicePackTextWithoutTerminatorIsReadWithinTheRecord) {
  OSVERSIONINFOA r = Record(4, 0, 1, "");
  std::memset(r.szCSDVersion, 'B', sizeof r.szCSDVersion);  // 128 bytes, no NUL
  EXPECT_EQ(Named(r), "Windows 95");
  r.szCSDVersion[1] = '\0';  // "B"
  EXPECT_EQ(Named(r), "Windows 95 OSR2");
}

TEST(OsInfo, ComparisonStringsAreReleased) {
  const int32_t before = g_strings.LiveCount();
  char* name = farelib::NameWindowsVersion(Record(4, 0, 1, "C"));
  EXPECT_EQ(g_strings.LiveCount(), before + 1) << "only the result stays in the store";
  EXPECT_TRUE(g_strings.IsLive(name));
  g_strings.Release(name);
}

TEST(OsInfo, GetOsInfoNamesTheRecordedVersion) {
  farelib::RecordWindowsVersion();
  OSVERSIONINFOA now{};
  now.dwOSVersionInfoSize = sizeof now;
  ASSERT_TRUE(GetVersionExA(&now));
  const OSVERSIONINFOA& recorded = farelib::RecordedWindowsVersion();
  EXPECT_EQ(recorded.dwOSVersionInfoSize, 148u);
  EXPECT_EQ(recorded.dwMajorVersion, now.dwMajorVersion);
  EXPECT_EQ(recorded.dwMinorVersion, now.dwMinorVersion);
  EXPECT_EQ(recorded.dwPlatformId, now.dwPlatformId);
  const char* a = GetOsInfo();
  const char* b = GetOsInfo();
  EXPECT_NE(a, b) << "a new string on every call";
  EXPECT_STREQ(a, b);
  EXPECT_EQ(std::string(a), Named(now));
}

}  // namespace
