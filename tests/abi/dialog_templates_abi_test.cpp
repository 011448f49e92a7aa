// The settings dialogs' templates inside the i686 deliverables: each DLL
// carries each template once, 4-byte aligned, byte for byte the template
// that the tables give (built here natively from the same tables).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dialogs/templates.h"
#include "pe_file.h"

namespace {

struct Found {
  uint32_t rva;
};

std::vector<Found> FindAll(const peinfo::PeFile& pe, const farelib::dlg::TemplateRef& t) {
  std::vector<Found> out;
  for (const peinfo::Section& s : pe.sections()) {
    uint32_t size = std::min(s.virtual_size, s.raw_size);
    if (size < t.size) continue;
    peinfo::Bytes b = pe.rva_bytes(s.rva, size);
    const uint8_t* end = b.data + b.size;
    for (const uint8_t* p = b.data; (p = std::search(p, end, t.bytes, t.bytes + t.size)) != end; ++p)
      out.push_back({s.rva + static_cast<uint32_t>(p - b.data)});
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
    peinfo::PeFile pe = peinfo::PeFile::load(std::string(FARELIB_WIN32_BIN) + "/" + dll);
    for (const auto& c : templates) {
      std::vector<Found> found = FindAll(pe, c.t);
      ASSERT_EQ(found.size(), 1u) << dll << ": copies of the " << c.name << " template";
      EXPECT_EQ((pe.image_base() + found[0].rva) % 4, 0u) << dll << ": " << c.name << " template alignment";
    }
  }
}

}  // namespace
