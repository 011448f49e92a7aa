// The forms of the maker's links in both deliverables.
#include "text/contact_links.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using farelib::ContactLinks;

bool PlainAscii(const std::string& s) {
  for (unsigned char c : s)
    if (c <= 0x20 || c >= 0x7F || c == '?' || c == '#') return false;
  return true;
}

// "http://host/" -> "host"; "" when the text is no such homepage.
std::string HomepageHost(const std::string& url) {
  const std::string scheme = "http://";
  if (url.compare(0, scheme.size(), scheme) != 0 || url.size() < scheme.size() + 2 || url.back() != '/')
    return "";
  std::string host = url.substr(scheme.size(), url.size() - scheme.size() - 1);
  return host.find('/') == std::string::npos ? host : "";
}

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

TEST(ContactLinks, FormsInBothDeliverables) {
  struct Case {
    const char* dll;
    const ContactLinks& links;
  } cases[] = {{"farelib4", farelib::kFarelib4Links}, {"farelib3", farelib::kFarelib3Links}};
  for (const auto& c : cases) {
    std::string mail = c.links.mail_link, home = c.links.homepage;
    EXPECT_EQ(mail.rfind("mailto:", 0), 0u) << c.dll << ": " << mail;
    EXPECT_NE(mail.find('@'), std::string::npos) << c.dll << ": " << mail;
    EXPECT_TRUE(EndsWith(mail, ".example")) << c.dll << ": a reserved host, got " << mail;
    std::string host = HomepageHost(home);
    EXPECT_NE(host, "") << c.dll << ": want http://host/, got " << home;
    EXPECT_TRUE(EndsWith(host, ".example")) << c.dll << ": a reserved host, got " << host;
    EXPECT_TRUE(PlainAscii(mail) && PlainAscii(home)) << c.dll << ": plain ASCII, no blanks, query or fragment";
  }
}

TEST(ContactLinks, SoundPageOnTheHomepageHostOfFarelib4) {
  const std::string home = farelib::kFarelib4Links.homepage;
  ASSERT_NE(farelib::kFarelib4Links.sound_page, nullptr);
  const std::string sound = farelib::kFarelib4Links.sound_page;
  EXPECT_EQ(sound, home + "zelvo/zelvo_sound.htm");
  EXPECT_TRUE(PlainAscii(sound));
  EXPECT_EQ(farelib::kFarelib3Links.sound_page, nullptr) << "farelib3 has no sound page";
}

TEST(ContactLinks, Farelib3HasItsOwnValues) {
  EXPECT_STRNE(farelib::kFarelib3Links.mail_link, farelib::kFarelib4Links.mail_link);
  EXPECT_STRNE(farelib::kFarelib3Links.homepage, farelib::kFarelib4Links.homepage);
}

}  // namespace
