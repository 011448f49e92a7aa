// The maker's contact links: build-time constants of each deliverable.
//
// farelib4 has a mail link, a homepage and a sound page on the same web host;
// farelib3 has its own mail address and homepage, and no sound page. Each DLL
// defines kMakerLinks as its set in its variant file (dll/variant4.cpp,
// dll/variant3.cpp), so neither carries the other's texts. Plain ASCII,
// reserved .example hosts.
#ifndef FARELIB_TEXT_CONTACT_LINKS_H
#define FARELIB_TEXT_CONTACT_LINKS_H

namespace farelib {

struct ContactLinks {
  const char* mail_link;   // "mailto:" + address
  const char* homepage;    // "http://" + host + "/"
  const char* sound_page;  // homepage + "zelvo/zelvo_sound.htm"; null where the DLL has none
};

inline constexpr ContactLinks kFarelib4Links = {
    "mailto:zelvo@vantrel.example",
    "http://www.vantrel.example/",
    "http://www.vantrel.example/zelvo/zelvo_sound.htm",
};

inline constexpr ContactLinks kFarelib3Links = {
    "mailto:zelvo3@classic.vantrel.example",
    "http://classic.vantrel.example/",
    nullptr,
};

// This deliverable's maker links (one of the two sets above).
extern const ContactLinks kMakerLinks;

}  // namespace farelib

#endif
