// The i686 deliverables read as files: what a host's loader and linker see.
#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <set>
#include <string>

#include "dll/export_list.h"
#include "pe_report.h"

namespace {

// Windows system DLLs the deliverables may import from.
const std::set<std::string> kSystemDlls = {"kernel32.dll", "user32.dll", "gdi32.dll",  "comdlg32.dll",
                                           "shell32.dll",  "ole32.dll",  "comctl32.dll", "msvcrt.dll",
                                           "advapi32.dll"};

peinfo::PeReport Load(const std::string& dll) { return peinfo::ReadPe(std::string(FARELIB_WIN32_BIN) + "/" + dll); }

// The shipped files are stripped: their symbols are in the debug file beside them.
peinfo::PeReport LoadWithSymbols(const std::string& dll) {
  auto pe = Load(dll);
  peinfo::ReadSymbolsFrom(pe, std::string(FARELIB_WIN32_BIN) + "/" + dll + ".debug");
  return pe;
}

struct Deliverable {
  const char* file;
  bool farelib3;  // which exports of the list it has
  size_t count;   // how many that is
};

void PrintTo(const Deliverable& d, std::ostream* os) { *os << d.file; }

class Deliverables : public ::testing::TestWithParam<Deliverable> {};

TEST_P(Deliverables, AreI386Dlls) {
  auto pe = Load(GetParam().file);
  EXPECT_EQ(pe.format, "pei-i386") << GetParam().file;
  EXPECT_FALSE(pe.pe32_plus);
  EXPECT_TRUE(pe.IsDll()) << GetParam().file << ": characteristics 0x" << std::hex << pe.characteristics;
  EXPECT_EQ(pe.export_dll_name, GetParam().file) << "the export directory names the module by its file name";
}

// `file` exports exactly the names of `want`, by name, each as a stdcall
// symbol whose callee removes the bytes `want` gives.
void ExpectStdcallExports(const peinfo::PeReport& pe, const std::string& file,
                          const std::map<std::string, uint32_t>& want) {
  std::set<std::string> want_names, got;
  for (const auto& [name, bytes] : want) want_names.insert(name);
  EXPECT_EQ(pe.exports_by_address, pe.exports.size()) << file << ": exports by ordinal only";
  for (const auto& e : pe.exports) {
    EXPECT_FALSE(e.forwarded) << file << ": " << e.name << " is forwarded";
    got.insert(e.name);
  }
  EXPECT_EQ(got, want_names) << file << ": exported names";
  for (const auto& [name, arg_bytes] : want) {
    auto bytes = pe.StdcallArgumentBytes(name);
    ASSERT_TRUE(bytes.has_value()) << name << ": no symbol _" << name << "@N at the export's address";
    EXPECT_EQ(*bytes, arg_bytes) << name << ": argument bytes removed by the callee";
  }
}

TEST_P(Deliverables, ExportExactlyTheirListWithStdcallArgumentBytes) {
  std::map<std::string, uint32_t> want;
  for (const auto& row : support::kExports)
    if (support::InDll(row, GetParam().farelib3)) want[row.name] = row.arg_bytes;
  EXPECT_EQ(want.size(), GetParam().count) << GetParam().file << ": exports in the list";
  ExpectStdcallExports(LoadWithSymbols(GetParam().file), GetParam().file, want);
}

TEST_P(Deliverables, ImportOnlyWindowsSystemDlls) {
  auto pe = Load(GetParam().file);
  EXPECT_TRUE(pe.imports.count("kernel32.dll")) << GetParam().file << ": the import tables as read";
  for (const auto& [name, functions] : pe.imports) {
    EXPECT_TRUE(kSystemDlls.count(name)) << GetParam().file << " imports " << name;
    for (const char* runtime : {"libgcc", "libstdc++", "libwinpthread"})
      EXPECT_EQ(name.find(runtime), std::string::npos) << GetParam().file << " needs the runtime DLL " << name;
  }
}

TEST_P(Deliverables, CarryNoVersionResource) {
  auto pe = Load(GetParam().file);
  for (const auto& r : pe.resources) EXPECT_NE(r.type, "#16") << GetParam().file << ": " << r.Key();
}

INSTANTIATE_TEST_SUITE_P(Win32, Deliverables,
                         ::testing::Values(Deliverable{"farelib4.dll", false, 19},
                                           Deliverable{"farelib3.dll", true, 11}),
                         [](const auto& info) { return std::string(info.param.file).substr(0, 8); });

TEST(Farelib3, LeavesOutWhatOnlyFarelib4Uses) {
  auto pe = Load("farelib3.dll");
  for (const char* dll : {"comctl32.dll", "ole32.dll"})
    EXPECT_EQ(pe.imports.count(dll), 0u) << "farelib3 imports " << dll;
}

// The choosers and the bridge take what they use from the system DLLs; the
// folder browser and the bridge are farelib4's alone.
TEST(ChoosersAndBridge, ImportWhatTheyUseFromWhereTheyShould) {
  const std::set<std::string> choosers = {"ChooseColorA", "GetOpenFileNameA", "GetSaveFileNameA"};
  auto f4 = Load("farelib4.dll");
  auto f3 = Load("farelib3.dll");
  EXPECT_EQ(f4.ImportedFrom("comdlg32.dll"), choosers) << "farelib4 from comdlg32";
  EXPECT_EQ(f3.ImportedFrom("comdlg32.dll"), choosers) << "farelib3 from comdlg32";
  EXPECT_EQ(f4.ImportedFrom("ole32.dll"), std::set<std::string>{"CoTaskMemFree"}) << "farelib4 from ole32";
  const auto shell4 = f4.ImportedFrom("shell32.dll");
  const auto shell3 = f3.ImportedFrom("shell32.dll");
  for (const char* f : {"SHBrowseForFolderA", "SHGetPathFromIDListA"}) {
    EXPECT_EQ(shell4.count(f), 1u) << "farelib4 imports " << f << " from shell32";
    EXPECT_EQ(shell3.count(f), 0u) << "farelib3 has no folder browser, yet imports " << f;
  }
  for (const char* name : {"Ze3FolderDlg", "ZE4_GetPlgInfo", "ZE4_SetPlgComment", "ZE4_SetCorpAddList",
                           "ZE4_DrawSeiriken"})
    EXPECT_EQ(f3.FindExport(name), nullptr) << "farelib3 exports " << name;
}

// ---- Resources: the About pictures and the cursor ----

// Little-endian fields of a resource's bytes.
uint32_t U32(const std::string& b, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(b[at + static_cast<size_t>(i)]);
  return v;
}
uint16_t U16(const std::string& b, size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8);
}
int32_t I32(const std::string& b, size_t at) { return static_cast<int32_t>(U32(b, at)); }

// Every resource of a DLL by "type/name/language".
std::map<std::string, std::string> Resources(const peinfo::PeReport& pe) {
  std::map<std::string, std::string> out;
  for (const auto& r : pe.resources) out[r.Key()] = pe.Bytes(r.rva, r.size);
  return out;
}

const peinfo::Resource* FindResource(const peinfo::PeReport& pe, uint16_t type, uint16_t name) {
  for (const auto& r : pe.resources)
    if (r.type == "#" + std::to_string(type) && r.name == "#" + std::to_string(name)) return &r;
  return nullptr;
}

// examples/sample-plugin as the bridge finds it: the four entry points by
// their plain names, stdcall with the argument bytes the bridge pushes.
TEST(SamplePlugin, ExportsTheFourEntryPointsAsStdcall) {
  auto pe = LoadWithSymbols("sample_plugin.dll");
  EXPECT_EQ(pe.format, "pei-i386");
  ExpectStdcallExports(pe, "sample_plugin.dll",
                       {{"DrawSeiriken", 32}, {"GetPlgInfo", 4}, {"SetCorpAddList", 4}, {"SetPlgComment", 4}});
  for (const auto& [name, functions] : pe.imports)
    EXPECT_TRUE(kSystemDlls.count(name)) << "sample_plugin.dll imports " << name;
}

TEST_P(Deliverables, CarryThePicturesAndTheCursorInJapanese) {
  auto pe = Load(GetParam().file);
  std::map<std::string, size_t> sizes;
  for (const auto& r : pe.resources) sizes[r.Key()] = r.size;
  // bitmap 2, cursor image 1, cursor group 12; language 1041 (Japanese)
  const std::map<std::string, size_t> want = {
      {"#2/#102/1041", 36044}, {"#2/#103/1041", 36044}, {"#1/#1/1041", 748}, {"#12/#101/1041", 20}};
  EXPECT_EQ(sizes, want) << GetParam().file << ": exactly these resources, with these sizes";
}

TEST_P(Deliverables, PicturesAre210By165At8BitsPerPixel) {
  auto pe = Load(GetParam().file);
  for (uint16_t id : {102, 103}) {
    const peinfo::Resource* r = FindResource(pe, 2, id);
    ASSERT_NE(r, nullptr) << "bitmap " << id;
    const std::string b = pe.Bytes(r->rva, r->size);
    ASSERT_EQ(b.size(), 36044u) << "bitmap " << id;
    struct Field {
      const char* name;
      int64_t got, want;
    } fields[] = {
        {"header size", U32(b, 0), 40},       {"width", I32(b, 4), 210},
        {"height (bottom-up)", I32(b, 8), 165}, {"planes", U16(b, 12), 1},
        {"bits per pixel", U16(b, 14), 8},    {"compression (BI_RGB)", U32(b, 16), 0},
        {"x pixels per metre", I32(b, 24), 2835}, {"y pixels per metre", I32(b, 28), 2835},
        {"palette entries", U32(b, 32), 256}, {"important colours", U32(b, 36), 50},
    };
    for (const auto& f : fields) EXPECT_EQ(f.got, f.want) << GetParam().file << " bitmap " << id << ": " << f.name;
    EXPECT_EQ(40u + 256u * 4u + 165u * 212u, b.size()) << "header, palette, 165 rows of 212 bytes";
  }
  const auto* board = FindResource(pe, 2, 102);
  const auto* bus = FindResource(pe, 2, 103);
  if (board && bus) {
    const std::string a = pe.Bytes(board->rva, board->size), c = pe.Bytes(bus->rva, bus->size);
    EXPECT_NE(a.substr(1064), c.substr(1064)) << "two different pictures";
  }
}

TEST_P(Deliverables, CursorGroup101HoldsOne32By32CursorAt4BitsPerPixel) {
  auto pe = Load(GetParam().file);
  const peinfo::Resource* group = FindResource(pe, 12, 101);
  ASSERT_NE(group, nullptr) << "cursor group 101";
  const std::string g = pe.Bytes(group->rva, group->size);
  ASSERT_EQ(g.size(), 6u + 14u);
  struct Field {
    const char* name;
    int64_t got, want;
  } dir[] = {
      {"reserved", U16(g, 0), 0},      {"type (cursor)", U16(g, 2), 2},   {"count", U16(g, 4), 1},
      {"width", U16(g, 6), 32},        {"height (image and mask)", U16(g, 8), 64},
      {"planes", U16(g, 10), 1},       {"bits per pixel", U16(g, 12), 4}, {"image bytes", U32(g, 14), 748},
      {"image id", U16(g, 18), 1},
  };
  for (const auto& f : dir) EXPECT_EQ(f.got, f.want) << GetParam().file << " cursor group: " << f.name;

  const peinfo::Resource* image = FindResource(pe, 1, 1);
  ASSERT_NE(image, nullptr) << "cursor image 1";
  const std::string c = pe.Bytes(image->rva, image->size);
  ASSERT_EQ(c.size(), 748u);
  Field img[] = {
      {"hot spot x", U16(c, 0), 31},     {"hot spot y", U16(c, 2), 31},   {"header size", U32(c, 4), 40},
      {"width", I32(c, 8), 32},          {"height (image and mask)", I32(c, 12), 64},
      {"planes", U16(c, 16), 1},         {"bits per pixel", U16(c, 18), 4}, {"compression", U32(c, 20), 0},
      {"palette entries", U32(c, 36), 16},
  };
  for (const auto& f : img) EXPECT_EQ(f.got, f.want) << GetParam().file << " cursor image: " << f.name;
  EXPECT_EQ(4u + 40u + 16u * 4u + 32u * 16u + 32u * 4u, c.size()) << "hot spot, header, palette, XOR and AND masks";
}

TEST(BothDeliverables, CarryTheSameResources) {
  auto four = Resources(Load("farelib4.dll"));
  auto three = Resources(Load("farelib3.dll"));
  EXPECT_EQ(four.size(), three.size());
  for (const auto& [key, bytes] : four) {
    auto it = three.find(key);
    ASSERT_NE(it, three.end()) << "farelib3 lacks " << key;
    EXPECT_TRUE(it->second == bytes) << key << " differs between the two DLLs";
  }
}

// ---- What farelib3 leaves out, whole ----

std::string Utf16(const char16_t* s) {
  std::string out;
  for (; *s; ++s) {
    out.push_back(static_cast<char>(*s & 0xFF));
    out.push_back(static_cast<char>(*s >> 8));
  }
  return out;
}

TEST(Farelib3, LeavesOutTheDatePickerVersionNamingAndSoundPage) {
  auto f4 = Load("farelib4.dll");
  auto f3 = Load("farelib3.dll");
  // The date dialog's month calendar, version naming and its start-up step,
  // and the bridge's loading: farelib3 loads no other module.
  const std::map<std::string, std::set<std::string>> only4 = {
      {"comctl32.dll", {"InitCommonControlsEx"}},
      {"kernel32.dll",
       {"GetVersionExA", "CompareStringA", "GetModuleHandleA", "LoadLibraryA", "GetProcAddress", "FreeLibrary"}},
      {"user32.dll", {"CreateWindowExA"}},
  };
  for (const auto& [dll, names] : only4) {
    auto in4 = f4.ImportedFrom(dll);
    auto in3 = f3.ImportedFrom(dll);
    for (const auto& n : names) {
      EXPECT_EQ(in4.count(n), 1u) << "farelib4 imports " << n << " from " << dll;
      EXPECT_EQ(in3.count(n), 0u) << "farelib3 imports " << n << " from " << dll << ", which only farelib4 uses";
    }
  }
  for (const char* name : {"Call_dlg111", "GetOsInfo", "VantrelHpSndURL"})
    EXPECT_EQ(f3.FindExport(name), nullptr) << "farelib3 exports " << name;

  const std::string& b4 = f4.file;
  const std::string& b3 = f3.file;
  ASSERT_FALSE(b4.empty() || b3.empty());
  struct Piece {
    const char* what;
    std::string bytes;
  } pieces[] = {
      {"the date template's title", Utf16(u"日付の設定")},
      {"the sound page", "/zelvo/zelvo_sound.htm"},
      {"farelib4's web host", "www.vantrel.example"},
      {"farelib4's mail address", "mailto:zelvo@"},
  };
  for (const auto& p : pieces) {
    EXPECT_NE(b4.find(p.bytes), std::string::npos) << "farelib4 carries " << p.what;
    EXPECT_EQ(b3.find(p.bytes), std::string::npos) << "farelib3 carries " << p.what;
  }
  EXPECT_NE(b3.find("classic.vantrel.example"), std::string::npos) << "farelib3's own links";
  EXPECT_EQ(b4.find("classic.vantrel.example"), std::string::npos) << "farelib4 carries farelib3's links";
}

}  // namespace
