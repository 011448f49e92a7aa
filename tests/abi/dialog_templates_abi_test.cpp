// The settings dialogs' templates inside the i686 deliverables: each DLL
// carries each template once, 4-byte aligned, byte for byte the template
// that the tables give (built here natively from the same tables).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/templates.h"
#include "pe_report.h"

namespace {

// The RVAs where the image holds the template's bytes.
std::vector<uint32_t> FindAll(const peinfo::PeReport& pe, const farelib::dlg::TemplateRef& t) {
  std::vector<uint32_t> out;
  const std::string needle(reinterpret_cast<const char*>(t.bytes), t.size);
  for (const peinfo::Section& s : pe.sections) {
    if (!s.has_contents || s.size < t.size) continue;
    const std::string b = pe.Bytes(s.rva, s.size);
    for (size_t at = b.find(needle); at != std::string::npos; at = b.find(needle, at + 1))
      out.push_back(s.rva + static_cast<uint32_t>(at));
  }
  return out;
}

TEST(SettingsTemplates, EachDllCarriesEachTemplateOnceAligned) {
  struct Case {
    const char* name;
    const farelib::dlg::TemplateRef& t;
  } templates[] = {{"digital display", farelib::dlg::kDigitalDisplayTemplate},
                   {"ticket format", farelib::dlg::kTicketFormatTemplate},
                   {"information numbers", farelib::dlg::kInfoNumberTemplate}};
  for (const char* dll : {"farelib4.dll", "farelib3.dll"}) {
    const peinfo::PeReport pe = peinfo::ReadPe(std::string(FARELIB_WIN32_BIN) + "/" + dll);
    for (const auto& c : templates) {
      std::vector<uint32_t> found = FindAll(pe, c.t);
      ASSERT_EQ(found.size(), 1u) << dll << ": copies of the " << c.name << " template";
      EXPECT_EQ((pe.image_base + found[0]) % 4, 0u) << dll << ": " << c.name << " template alignment";
    }
  }
}

}  // namespace
