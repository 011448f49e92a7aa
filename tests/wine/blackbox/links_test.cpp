// The maker's links and the Windows version name as a host gets them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "farelib.h"
#include "support/library.h"

namespace {

using TextFn = const char*(WINAPI*)();

// A result checked as a well-formed new library string, returned as bytes.
std::string Text(TextFn fn, const char* name) {
  const char* r = fn();
  EXPECT_NE(r, nullptr) << name << ": a text result is never null";
  if (!r) return "<null>";
  EXPECT_EQ(farelib_length(r), static_cast<int32_t>(std::strlen(r))) << name << ": length prefix";
  const char* again = fn();
  EXPECT_NE(again, r) << name << ": every call returns a new string";
  EXPECT_STREQ(again, r) << name;
  return r;
}

struct Links {
  std::string mail, home;
};

Links LinksOf(const char* dll) {
  HMODULE m = support::LoadBeside(dll);
  EXPECT_NE(m, nullptr) << dll;
  if (!m) return {};
  auto mail = support::Export<TextFn>(m, "VantrelMailAddress");
  auto home = support::Export<TextFn>(m, "VantrelHpURL");
  EXPECT_TRUE(mail && home) << dll;
  if (!mail || !home) return {};
  return {Text(mail, "VantrelMailAddress"), Text(home, "VantrelHpURL")};
}

TEST(Links, EachDeliverableHasItsOwnMailAndHomepage) {
  Links four = LinksOf("farelib4.dll"), three = LinksOf("farelib3.dll");
  for (const Links* l : {&four, &three}) {
    EXPECT_EQ(l->mail.rfind("mailto:", 0), 0u) << l->mail;
    EXPECT_EQ(l->home.rfind("http://", 0), 0u) << l->home;
    EXPECT_EQ(l->home.back(), '/') << l->home;
  }
  EXPECT_EQ(four.mail, "mailto:zelvo@vantrel.example");
  EXPECT_EQ(four.home, "http://www.vantrel.example/");
  EXPECT_EQ(three.mail, "mailto:zelvo3@classic.vantrel.example");
  EXPECT_EQ(three.home, "http://classic.vantrel.example/");
}

TEST(Links, SoundPageAndVersionNameInFarelib4Only) {
  HMODULE four = support::LoadBeside("farelib4.dll");
  HMODULE three = support::LoadBeside("farelib3.dll");
  ASSERT_TRUE(four && three);
  auto sound = support::Export<TextFn>(four, "VantrelHpSndURL");
  ASSERT_NE(sound, nullptr);
  EXPECT_EQ(Text(sound, "VantrelHpSndURL"), "http://www.vantrel.example/zelvo/zelvo_sound.htm");
  auto os = support::Export<TextFn>(four, "GetOsInfo");
  ASSERT_NE(os, nullptr);
  Text(os, "GetOsInfo");
  EXPECT_EQ(support::Export<TextFn>(three, "VantrelHpSndURL"), nullptr);
  EXPECT_EQ(support::Export<TextFn>(three, "GetOsInfo"), nullptr);
}

}  // namespace
