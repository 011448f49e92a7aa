// The i686 deliverables read as files: what a host's loader and linker see.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <ostream>
#include <set>
#include <string>

#include "pe_file.h"

namespace {

struct ExportRow {
  const char* name;
  uint32_t arg_bytes;  // what the callee removes from the stack
};

// farelib4: every export.
const ExportRow kFarelib4[] = {
    {"Call_dlg100", 20},
    {"Call_dlg101", 16},
    {"Call_dlg102", 12},
    {"DllMain", 12},
    {"GetOsInfo", 0},
    {"LenB_ASCII", 4},
    {"MidB_ASCII", 12},
    {"VantrelHpSndURL", 0},
    {"VantrelHpURL", 0},
    {"VantrelMailAddress", 0},
    {"ZE4_DrawSeiriken", 36},
    {"ZE4_GetPlgInfo", 8},
    {"ZE4_SetCorpAddList", 8},
    {"ZE4_SetPlgComment", 8},
    {"Ze3ChooseColor", 12},
    {"Ze3FileDlg", 20},
    {"Ze3FolderDlg", 8},
};

// farelib3: the smaller list.
const ExportRow kFarelib3[] = {
    {"Call_dlg100", 20},
    {"Call_dlg101", 16},
    {"Call_dlg102", 12},
    {"DllMain", 12},
    {"LenB_ASCII", 4},
    {"MidB_ASCII", 12},
    {"VantrelHpURL", 0},
    {"VantrelMailAddress", 0},
    {"Ze3ChooseColor", 12},
    {"Ze3FileDlg", 20},
};

// Windows system DLLs the deliverables may import from.
const std::set<std::string> kSystemDlls = {"kernel32.dll", "user32.dll", "gdi32.dll",  "comdlg32.dll",
                                           "shell32.dll",  "ole32.dll",  "comctl32.dll", "msvcrt.dll",
                                           "advapi32.dll"};

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

peinfo::PeFile Load(const std::string& dll) { return peinfo::PeFile::load(std::string(FARELIB_WIN32_BIN) + "/" + dll); }

struct Deliverable {
  const char* file;
  const ExportRow* rows;
  size_t count;
};

void PrintTo(const Deliverable& d, std::ostream* os) { *os << d.file; }

class Deliverables : public ::testing::TestWithParam<Deliverable> {};

TEST_P(Deliverables, AreI386Dlls) {
  auto pe = Load(GetParam().file);
  EXPECT_EQ(pe.machine(), peinfo::kMachineI386) << GetParam().file;
  EXPECT_FALSE(pe.is_pe32_plus());
  EXPECT_TRUE(pe.is_dll());
  EXPECT_EQ(pe.export_dll_name(), GetParam().file) << "the export directory names the module by its file name";
}

TEST_P(Deliverables, ExportExactlyTheirListWithStdcallArgumentBytes) {
  auto pe = Load(GetParam().file);
  std::set<std::string> want, got;
  for (size_t i = 0; i < GetParam().count; ++i) want.insert(GetParam().rows[i].name);
  for (const auto& e : pe.exports()) {
    EXPECT_FALSE(e.name.empty()) << "export by ordinal only, ordinal " << e.ordinal;
    EXPECT_FALSE(e.forwarder) << e.name << " is forwarded to " << e.forwarded_to;
    got.insert(e.name);
  }
  EXPECT_EQ(got, want) << GetParam().file << ": exported names";
  for (size_t i = 0; i < GetParam().count; ++i) {
    const ExportRow& row = GetParam().rows[i];
    auto bytes = pe.stdcall_arg_bytes(row.name);
    ASSERT_TRUE(bytes.has_value()) << row.name << ": no symbol _" << row.name << "@N at the export's address";
    EXPECT_EQ(*bytes, row.arg_bytes) << row.name << ": argument bytes removed by the callee";
  }
}

TEST_P(Deliverables, ImportOnlyWindowsSystemDlls) {
  auto pe = Load(GetParam().file);
  for (const auto& dll : pe.imports()) {
    std::string name = Lower(dll.name);
    EXPECT_TRUE(kSystemDlls.count(name)) << GetParam().file << " imports " << dll.name;
    for (const char* runtime : {"libgcc", "libstdc++", "libwinpthread"})
      EXPECT_EQ(name.find(runtime), std::string::npos) << GetParam().file << " needs the runtime DLL " << dll.name;
  }
}

TEST_P(Deliverables, CarryNoVersionResource) {
  auto pe = Load(GetParam().file);
  EXPECT_FALSE(pe.has_version_resource()) << GetParam().file;
}

INSTANTIATE_TEST_SUITE_P(Win32, Deliverables,
                         ::testing::Values(Deliverable{"farelib4.dll", kFarelib4, std::size(kFarelib4)},
                                           Deliverable{"farelib3.dll", kFarelib3, std::size(kFarelib3)}),
                         [](const auto& info) { return std::string(info.param.file).substr(0, 8); });

TEST(Farelib3, LeavesOutWhatOnlyFarelib4Uses) {
  auto pe = Load("farelib3.dll");
  for (const char* dll : {"comctl32.dll", "ole32.dll"})
    EXPECT_EQ(pe.find_import(dll), nullptr) << "farelib3 imports " << dll;
}

// The choosers and the bridge take what they use from the system DLLs; the
// folder browser and the bridge are farelib4's alone.
std::set<std::string> ImportedNames(const peinfo::PeFile& pe, const char* dll) {
  std::set<std::string> names;
  if (const auto* d = pe.find_import(dll))
    for (const auto& f : d->functions) names.insert(f.name);
  return names;
}

TEST(ChoosersAndBridge, ImportWhatTheyUseFromWhereTheyShould) {
  const std::set<std::string> choosers = {"ChooseColorA", "GetOpenFileNameA", "GetSaveFileNameA"};
  auto f4 = Load("farelib4.dll");
  auto f3 = Load("farelib3.dll");
  EXPECT_EQ(ImportedNames(f4, "comdlg32.dll"), choosers) << "farelib4 from comdlg32";
  EXPECT_EQ(ImportedNames(f3, "comdlg32.dll"), choosers) << "farelib3 from comdlg32";
  EXPECT_EQ(ImportedNames(f4, "ole32.dll"), std::set<std::string>{"CoTaskMemFree"}) << "farelib4 from ole32";
  const auto shell4 = ImportedNames(f4, "shell32.dll");
  const auto shell3 = ImportedNames(f3, "shell32.dll");
  const auto kernel4 = ImportedNames(f4, "kernel32.dll");
  for (const char* f : {"SHBrowseForFolderA", "SHGetPathFromIDListA"}) {
    EXPECT_EQ(shell4.count(f), 1u) << "farelib4 imports " << f << " from shell32";
    EXPECT_EQ(shell3.count(f), 0u) << "farelib3 has no folder browser, yet imports " << f;
  }
  for (const char* f : {"LoadLibraryA", "GetProcAddress", "FreeLibrary"})
    EXPECT_EQ(kernel4.count(f), 1u) << "farelib4 imports " << f << " from kernel32";
  for (const char* name : {"Ze3FolderDlg", "ZE4_GetPlgInfo", "ZE4_SetPlgComment", "ZE4_SetCorpAddList",
                           "ZE4_DrawSeiriken"})
    EXPECT_EQ(f3.find_export(name), nullptr) << "farelib3 exports " << name;
}

}  // namespace
