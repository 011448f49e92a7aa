// The Windows version naming table, over every row and every special rule.
#include "text/windows_version.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using farelib::ServicePackCompare;
using farelib::WindowsVersionName;

// "謎のWindows(^^;" in code page 932.
const std::string kUnknown = "\x93\xe4\x82\xcc" "Windows(^^;";

// A service-pack text compared as the platform does with flags 0: whole
// text, byte for byte, case-sensitive. Records the letters it was asked for.
struct FakeServicePack {
  std::string text;
  std::vector<std::string> asked;
  static bool Equals(void* ctx, const char* letter) {
    auto* self = static_cast<FakeServicePack*>(ctx);
    self->asked.emplace_back(letter);
    return self->text == letter;
  }
  ServicePackCompare Compare() { return {this, Equals}; }
};

std::string Name(unsigned major, unsigned minor, unsigned platform, const char* sp = "") {
  FakeServicePack fake{sp, {}};
  return WindowsVersionName(major, minor, platform, fake.Compare());
}

TEST(WindowsVersionName, EveryRowOfTheTable) {
  struct Case {
    unsigned major, minor, platform;
    const char* sp;
    std::string want;
  } cases[] = {
      {3, 0, 0, "", "Windows NT 3.51"},
      {3, 10, 0, "", "Windows NT 3.51"},
      {3, 51, 2, "B", "Windows NT 3.51"},
      {4, 0, 1, "B", "Windows 95 OSR2"},
      {4, 0, 1, "C", "Windows 95 OSR2"},
      {4, 0, 1, "", "Windows 95"},
      {4, 0, 1, "A", "Windows 95"},
      {4, 0, 2, "", "Windows NT 4.0"},
      {4, 0, 2, "B", "Windows NT 4.0"},
      {4, 0, 0, "C", "Windows NT 4.0"},
      {4, 10, 1, "A", "Windows 98 SE"},
      {4, 10, 1, "B", "Windows 98"},
      {4, 10, 1, "", "Windows 98"},
      {4, 90, 1, "", "Windows Me"},
      {4, 90, 2, "A", "Windows Me"},
      {4, 3, 1, "", ""},
      {4, 1, 2, "", ""},
      {4, 0xFFFFFFFFu, 1, "", ""},
      {5, 0, 2, "", "Windows 2000"},
      {5, 1, 2, "", "Windows XP"},
      {5, 2, 2, "", "Windows Server 2003"},
      {5, 3, 2, "", kUnknown},
      {6, 0, 2, "", "Windows Vista"},
      {6, 1, 2, "", kUnknown},
      {6, 2, 2, "", kUnknown},
      {7, 0, 2, "", "Windows 7"},
      {7, 1, 2, "", kUnknown},
      {0, 0, 0, "", kUnknown},
      {1, 0, 0, "", kUnknown},
      {2, 11, 1, "", kUnknown},
      {8, 0, 2, "", kUnknown},
      {10, 0, 2, "", kUnknown},
      {0xFFFFFFFFu, 0, 2, "", kUnknown},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Name(c.major, c.minor, c.platform, c.sp), c.want)
        << c.major << "." << c.minor << ", platform " << c.platform << ", service pack \"" << c.sp << "\"";
}

TEST(WindowsVersionName, ServicePackTextIsComparedWhole) {
  struct Case {
    unsigned minor;
    const char* sp;
    const char* want;
  } cases[] = {
      {0, " B", "Windows 95"},  {0, " C", "Windows 95"}, {0, "c", "Windows 95"},  {0, "b", "Windows 95"},
      {0, "BC", "Windows 95"},  {0, "B ", "Windows 95"}, {10, " A", "Windows 98"}, {10, "a", "Windows 98"},
      {10, "AB", "Windows 98"}, {10, "A", "Windows 98 SE"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Name(4, c.minor, 1, c.sp), c.want) << "4." << c.minor << ", service pack \"" << c.sp << "\"";
}

TEST(WindowsVersionName, AskedComparisons) {
  struct Case {
    unsigned major, minor, platform;
    const char* sp;
    std::vector<std::string> asked;
  } cases[] = {
      // 4.0 on the 95 family: both "B" and "C", even when "B" is already equal.
      {4, 0, 1, "B", {"B", "C"}},
      {4, 0, 1, "C", {"B", "C"}},
      {4, 0, 1, "", {"B", "C"}},
      // The platform id decides 4.0 before any comparison.
      {4, 0, 2, "B", {}},
      {4, 10, 1, "A", {"A"}},
      {4, 10, 2, "", {"A"}},
      // No other version looks at the service pack.
      {4, 90, 1, "A", {}},
      {4, 3, 1, "A", {}},
      {3, 51, 1, "B", {}},
      {5, 1, 2, "A", {}},
      {6, 1, 1, "B", {}},
  };
  for (const auto& c : cases) {
    FakeServicePack fake{c.sp, {}};
    WindowsVersionName(c.major, c.minor, c.platform, fake.Compare());
    EXPECT_EQ(fake.asked, c.asked) << c.major << "." << c.minor << ", platform " << c.platform;
  }
}

TEST(WindowsVersionName, UnknownNameBytes) {
  EXPECT_EQ(std::string(farelib::kUnknownWindowsName), kUnknown);
  EXPECT_EQ(std::strlen(farelib::kUnknownWindowsName), 15u);
}

}  // namespace
