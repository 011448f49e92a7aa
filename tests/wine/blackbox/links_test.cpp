// The maker's links and the Windows version name as a host gets them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/farelib_loader.h"

namespace {

using TextFn = decltype(support::Farelib::VantrelHpURL);  // every text export has this type

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
  support::Farelib farelib;
  EXPECT_TRUE(farelib.LoadBeside(dll)) << dll;
  EXPECT_TRUE(farelib.VantrelMailAddress && farelib.VantrelHpURL) << dll;
  if (!farelib.VantrelMailAddress || !farelib.VantrelHpURL) return {};
  return {Text(farelib.VantrelMailAddress, "VantrelMailAddress"), Text(farelib.VantrelHpURL, "VantrelHpURL")};
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
  support::Farelib four, three;
  ASSERT_TRUE(four.LoadBeside("farelib4.dll") && three.LoadBeside("farelib3.dll"));
  ASSERT_NE(four.VantrelHpSndURL, nullptr);
  EXPECT_EQ(Text(four.VantrelHpSndURL, "VantrelHpSndURL"), "http://www.vantrel.example/zelvo/zelvo_sound.htm");
  ASSERT_NE(four.GetOsInfo, nullptr);
  Text(four.GetOsInfo, "GetOsInfo");
  EXPECT_EQ(three.VantrelHpSndURL, nullptr);
  EXPECT_EQ(three.GetOsInfo, nullptr);
}

}  // namespace
