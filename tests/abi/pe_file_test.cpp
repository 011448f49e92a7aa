// Unit tests of the PE reader on images built in memory.
#include "pe_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

using peinfo::Error;
using peinfo::PeFile;

// The synthetic DLL: headers in 0x000-0x200, ".rdata" (RVA 0x1000, file 0x200, 0x600 bytes) with the
// export, import and resource directories, a long-named code section (RVA 0x3000, file 0x800),
// then a COFF symbol table at 0xA00 followed by its string table.
constexpr uint32_t kFileHeader = 0x44, kOptional = 0x58, kSymbols = 0xA00;
constexpr uint32_t kLenBRva = 0x3000, kFooRva = 0x3010, kOrdinalOnlyRva = 0x3020;

size_t rdata(uint32_t rva) { return rva - 0x1000 + 0x200; }  // file offset of an .rdata RVA

struct Image {
  bool wide;
  std::vector<uint8_t> b = std::vector<uint8_t>(0xA8E);

  uint32_t dirs() const { return kOptional + (wide ? 112 : 96); }
  uint32_t section_table() const { return kOptional + (wide ? 240 : 224); }
  uint32_t thunk() const { return wide ? 8 : 4; }

  void u16(size_t at, uint16_t v) { b.at(at) = uint8_t(v), b.at(at + 1) = uint8_t(v >> 8); }
  void u32(size_t at, uint32_t v) { u16(at, uint16_t(v)), u16(at + 2, uint16_t(v >> 16)); }
  void u64(size_t at, uint64_t v) { u32(at, uint32_t(v)), u32(at + 4, uint32_t(v >> 32)); }
  void str(size_t at, const std::string& s) { std::copy(s.begin(), s.end(), b.begin() + at), b.at(at + s.size()) = 0; }
  void entry(size_t at, uint64_t v) { wide ? u64(at, v) : u32(at, uint32_t(v)); }
  void utf16(size_t at, const std::u16string& s) {
    u16(at, uint16_t(s.size()));
    for (size_t i = 0; i < s.size(); ++i) u16(at + 2 + 2 * i, s[i]);
  }
  void section(int i, const std::string& name, uint32_t rva, uint32_t vsize, uint32_t raw_off, uint32_t raw_size) {
    size_t at = section_table() + 40 * i;
    std::copy(name.begin(), name.end(), b.begin() + at);
    u32(at + 8, vsize), u32(at + 12, rva), u32(at + 16, raw_size), u32(at + 20, raw_off);
    u32(at + 36, 0x40000040);
  }
  void symbol(int i, const std::string& short_name, uint32_t long_name, uint32_t value, int16_t sec, uint8_t aux) {
    size_t at = kSymbols + 18 * i;
    if (short_name.empty()) u32(at + 4, long_name);
    else std::copy(short_name.begin(), short_name.end(), b.begin() + at);
    u32(at + 8, value), u16(at + 12, uint16_t(sec)), b.at(at + 16) = 2, b.at(at + 17) = aux;
  }
  void resource_dir(uint32_t rva, std::vector<std::pair<uint32_t, uint32_t>> entries, uint16_t named) {
    u16(rdata(rva) + 12, named), u16(rdata(rva) + 14, uint16_t(entries.size() - named));
    for (size_t i = 0; i < entries.size(); ++i)
      u32(rdata(rva) + 16 + 8 * i, entries[i].first), u32(rdata(rva) + 20 + 8 * i, entries[i].second);
  }

  explicit Image(bool pe32_plus) : wide(pe32_plus) {
    str(0, "MZ"), u32(0x3C, 0x40), str(0x40, "PE");
    u16(kFileHeader, wide ? peinfo::kMachineAmd64 : peinfo::kMachineI386);
    u16(kFileHeader + 2, 2), u32(kFileHeader + 8, kSymbols), u32(kFileHeader + 12, 6);
    u16(kFileHeader + 16, wide ? 240 : 224), u16(kFileHeader + 18, wide ? 0x2022 : 0x2102);
    u16(kOptional, wide ? 0x20B : 0x10B);
    if (wide) u64(kOptional + 24, 0x180000000); else u32(kOptional + 28, 0x10000000);
    u32(kOptional + 60, 0x200), u32(dirs() - 4, 16);
    u32(dirs(), 0x1000), u32(dirs() + 4, 0x100);       // exports
    u32(dirs() + 8, 0x1200), u32(dirs() + 12, 0x3C);   // imports
    u32(dirs() + 16, 0x1400), u32(dirs() + 20, 0x200); // resources
    section(0, ".rdata", 0x1000, 0x600, 0x200, 0x600);
    section(1, "/4", 0x3000, 0x100, 0x800, 0x200);
    str(0x800, "\xC2\x04");  // ret 4

    // Exports: base 10; LenB_ASCII, Foo, one by ordinal only, a forwarder.
    u32(rdata(0x100C), 0x1080), u32(rdata(0x1010), 10), u32(rdata(0x1014), 4), u32(rdata(0x1018), 3);
    u32(rdata(0x101C), 0x1040), u32(rdata(0x1020), 0x1050), u32(rdata(0x1024), 0x1060);
    u32(rdata(0x1040), kLenBRva), u32(rdata(0x1044), kFooRva), u32(rdata(0x1048), kOrdinalOnlyRva);
    u32(rdata(0x104C), 0x10C0);
    u32(rdata(0x1050), 0x1090), u32(rdata(0x1054), 0x10A0), u32(rdata(0x1058), 0x10B0);
    u16(rdata(0x1060), 1), u16(rdata(0x1062), 3), u16(rdata(0x1064), 0);
    str(rdata(0x1080), "mini.dll"), str(rdata(0x1090), "Foo"), str(rdata(0x10A0), "Fwd");
    str(rdata(0x10B0), "LenB_ASCII"), str(rdata(0x10C0), "KERNEL32.GetTickCount");

    // Imports: KERNEL32 through its lookup table (by name and by ordinal), USER32 through its IAT only.
    u32(rdata(0x1200), 0x1240), u32(rdata(0x120C), 0x12C0), u32(rdata(0x1210), 0x1260);
    u32(rdata(0x1220), 0x12D0), u32(rdata(0x1224), 0x1270);
    entry(rdata(0x1240), 0x12E0), entry(rdata(0x1240) + thunk(), (uint64_t(1) << (thunk() * 8 - 1)) | 0x17);
    entry(rdata(0x1270), 0x12F0);
    str(rdata(0x12C0), "KERNEL32.dll"), str(rdata(0x12D0), "USER32.dll");
    u16(rdata(0x12E0), 5), str(rdata(0x12E2), "Sleep"), u16(rdata(0x12F0), 0x99), str(rdata(0x12F2), "MessageBoxA");

    // Resources: named type "MYDATA" #1, bitmap #102 (lang 0x411), version with a non-ASCII name.
    resource_dir(0x1400, {{0x800000E8, 0x80000028}, {2, 0x80000058}, {16, 0x80000088}}, 1);
    resource_dir(0x1428, {{1, 0x80000040}}, 0), resource_dir(0x1440, {{0x409, 0xB8}}, 0);
    resource_dir(0x1458, {{102, 0x80000070}}, 0), resource_dir(0x1470, {{0x411, 0xC8}}, 0);
    resource_dir(0x1488, {{0x800000F8, 0x800000A0}}, 0), resource_dir(0x14A0, {{0, 0xD8}}, 0);
    u32(rdata(0x14B8), 0x1580), u32(rdata(0x14BC), 4), u32(rdata(0x14C8), 0x1590), u32(rdata(0x14CC), 6);
    u32(rdata(0x14D8), 0x15A0), u32(rdata(0x14DC), 2);
    utf16(rdata(0x14E8), u"MYDATA"), utf16(rdata(0x14F8), u"\u65E5\u672C");
    str(rdata(0x1580), "abcd"), str(rdata(0x1590), "BM1234"), str(rdata(0x15A0), "\x01");

    // Symbols: ".file" + 1 aux record, then decorated names; only "_Foo@8" sits at Foo's RVA.
    symbol(0, ".file", 0, 0, -2, 1), str(kSymbols + 18, "mini.c");
    symbol(2, "", 20, 0x00, 2, 0);  // _LenB_ASCII@4 -> 0x3000
    symbol(3, "_Foo@12", 0, 0x14, 2, 0);
    symbol(4, "_Foo@8", 0, 0x10, 2, 0);
    symbol(5, "abs_sym", 0, 0x3000, -1, 0);
    u32(kSymbols + 6 * 18, 34), str(kSymbols + 6 * 18 + 4, ".text_long_name"), str(kSymbols + 6 * 18 + 20, "_LenB_ASCII@4");
  }
};

std::vector<uint8_t> bytes_of(const peinfo::Bytes& v) { return {v.data, v.data + v.size}; }
std::vector<uint8_t> bytes_of(const std::string& s) { return {s.begin(), s.end()}; }

class EachFormat : public ::testing::TestWithParam<bool> {};
INSTANTIATE_TEST_SUITE_P(Pe, EachFormat, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "PE32plus" : "PE32"; });

TEST_P(EachFormat, HeadersAndSections) {
  const PeFile pe(Image(GetParam()).b);
  EXPECT_EQ(pe.machine(), GetParam() ? peinfo::kMachineAmd64 : peinfo::kMachineI386);
  EXPECT_EQ(pe.is_pe32_plus(), GetParam());
  EXPECT_TRUE(pe.is_dll());
  EXPECT_EQ(pe.image_base(), GetParam() ? 0x180000000u : 0x10000000u);
  ASSERT_EQ(pe.sections().size(), 2u);
  EXPECT_EQ(pe.sections()[0].name, ".rdata");
  EXPECT_EQ(pe.sections()[1].name, ".text_long_name") << "a /N section name is read from the string table";
  EXPECT_EQ(pe.sections()[1].rva, 0x3000u);
  EXPECT_EQ(pe.sections()[1].raw_offset, 0x800u);

  EXPECT_EQ(bytes_of(pe.rva_bytes(kLenBRva, 2)), bytes_of("\xC2\x04"));
  EXPECT_EQ(pe.rva_to_offset(0x1080), 0x280u);
  EXPECT_EQ(pe.rva_to_offset(0x3C), 0x3Cu) << "header RVAs map to the same file offset";
  EXPECT_EQ(pe.rva_to_offset(0x2000), std::nullopt) << "no section covers 0x2000";
  EXPECT_THROW(pe.rva_bytes(0x30F0, 0x20), Error) << "runs past the section's virtual size";
  EXPECT_THROW(pe.rva_bytes(0x15F0, 0x20), Error) << "runs past the section's file data";
}

TEST_P(EachFormat, ExportsWithOrdinalsForwardersAndUnnamedEntries) {
  const PeFile pe(Image(GetParam()).b);
  EXPECT_EQ(pe.export_dll_name(), "mini.dll");
  ASSERT_EQ(pe.exports().size(), 4u);
  struct Want { const char* name; uint32_t ordinal, rva; bool forwarder; };
  const Want want[] = {{"LenB_ASCII", 10, kLenBRva, false}, {"Foo", 11, kFooRva, false},
                       {"", 12, kOrdinalOnlyRva, false}, {"Fwd", 13, 0x10C0, true}};
  for (size_t i = 0; i < 4; ++i) {
    const peinfo::Export& e = pe.exports()[i];
    EXPECT_EQ(e.name, want[i].name) << "export #" << i;
    EXPECT_EQ(e.ordinal, want[i].ordinal) << e.name;
    EXPECT_EQ(e.rva, want[i].rva) << e.name;
    EXPECT_EQ(e.forwarder, want[i].forwarder) << e.name;
  }
  EXPECT_EQ(pe.exports()[3].forwarded_to, "KERNEL32.GetTickCount");
  ASSERT_NE(pe.find_export("Foo"), nullptr);
  EXPECT_EQ(pe.find_export("Foo")->rva, kFooRva);
  EXPECT_EQ(pe.find_export("foo"), nullptr) << "export names are case-sensitive";
}

TEST_P(EachFormat, ImportsByNameAndByOrdinalFromLookupTableOrIat) {
  const PeFile pe(Image(GetParam()).b);
  ASSERT_EQ(pe.imports().size(), 2u);
  const peinfo::ImportedDll* k32 = pe.find_import("kernel32.DLL");
  ASSERT_NE(k32, nullptr);
  EXPECT_EQ(k32->name, "KERNEL32.dll") << "the name is kept as written";
  ASSERT_EQ(k32->functions.size(), 2u);
  EXPECT_EQ(k32->functions[0].name, "Sleep");
  EXPECT_EQ(k32->functions[0].hint, 5);
  EXPECT_FALSE(k32->functions[0].by_ordinal);
  EXPECT_TRUE(k32->functions[1].by_ordinal);
  EXPECT_EQ(k32->functions[1].ordinal, 0x17);
  EXPECT_EQ(k32->functions[1].name, "");
  ASSERT_EQ(pe.imports()[1].functions.size(), 1u);
  EXPECT_EQ(pe.imports()[1].name, "USER32.dll");
  EXPECT_EQ(pe.imports()[1].functions[0].name, "MessageBoxA") << "read from the IAT when there is no lookup table";
  EXPECT_EQ(pe.find_import("gdi32.dll"), nullptr);
}

TEST_P(EachFormat, SymbolsAndStdcallDecoration) {
  const PeFile pe(Image(GetParam()).b);
  std::vector<std::string> names;
  for (const auto& s : pe.symbols()) names.push_back(s.name);
  EXPECT_EQ(names, (std::vector<std::string>{".file", "_LenB_ASCII@4", "_Foo@12", "_Foo@8", "abs_sym"}))
      << "the aux record after .file is skipped and long names come from the string table";
  EXPECT_EQ(pe.symbol_rva(pe.symbols()[1]), kLenBRva);
  EXPECT_EQ(pe.symbol_rva(pe.symbols()[4]), std::nullopt) << "absolute symbols have no RVA";
  EXPECT_EQ(pe.symbol_rva(pe.symbols()[0]), std::nullopt) << "debug symbols have no RVA";

  EXPECT_EQ(pe.stdcall_arg_bytes("LenB_ASCII"), 4u);
  EXPECT_EQ(pe.stdcall_arg_bytes("Foo"), 8u) << "_Foo@12 is at another RVA and must not count";
  EXPECT_EQ(pe.stdcall_arg_bytes("Fwd"), std::nullopt) << "no decorated symbol";
  EXPECT_EQ(pe.stdcall_arg_bytes("Missing"), std::nullopt) << "no such export";

  Image stripped(GetParam());
  stripped.u32(kFileHeader + 8, 0), stripped.u32(kFileHeader + 12, 0);
  const PeFile plain(stripped.b);
  EXPECT_TRUE(plain.symbols().empty());
  EXPECT_EQ(plain.sections()[1].name, "/4") << "without a string table the raw name stays";
  EXPECT_EQ(plain.stdcall_arg_bytes("LenB_ASCII"), std::nullopt);
}

TEST_P(EachFormat, ResourcesAsFlatListWithTheirBytes) {
  Image image(GetParam());
  const PeFile pe(image.b);
  ASSERT_EQ(pe.resources().size(), 3u);
  const auto& mine = pe.resources()[0];
  EXPECT_TRUE(mine.type.named);
  EXPECT_EQ(mine.type.name, "MYDATA");
  EXPECT_EQ(mine.name.str(), "#1");
  EXPECT_EQ(mine.language, 0x409);
  EXPECT_EQ(bytes_of(pe.resource_bytes(mine)), bytes_of("abcd"));

  const auto& bitmap = pe.resources()[1];
  EXPECT_EQ(bitmap.type.str(), "#2");
  EXPECT_FALSE(bitmap.name.named);
  EXPECT_EQ(bitmap.name.id, 102);
  EXPECT_EQ(bitmap.language, 0x411);
  EXPECT_EQ(bitmap.data_rva, 0x1590u);
  EXPECT_EQ(bytes_of(pe.resource_bytes(bitmap)), bytes_of("BM1234"));

  EXPECT_EQ(pe.resources()[2].type.id, peinfo::kResourceTypeVersion);
  EXPECT_EQ(pe.resources()[2].name.name, "\xE6\x97\xA5\xE6\x9C\xAC") << "UTF-16 names come out as UTF-8";
  EXPECT_TRUE(pe.has_version_resource());

  image.u32(rdata(0x1400 + 32), 24);  // the third type becomes a manifest
  EXPECT_FALSE(PeFile(image.b).has_version_resource());
}

TEST_P(EachFormat, EveryTruncationIsAnError) {
  const std::vector<uint8_t> full = Image(GetParam()).b;
  for (size_t n = 0; n < full.size(); ++n)
    EXPECT_THROW(PeFile(std::vector<uint8_t>(full.begin(), full.begin() + n)), Error) << "truncated to " << n;
}

TEST_P(EachFormat, CorruptFieldsAreErrorsThatNameThePart) {
  struct Case { const char* expect; std::function<void(Image&)> damage; };
  const Case cases[] = {
      {"MZ", [](Image& m) { m.b[0] = 'X'; }},
      {"PE header", [](Image& m) { m.u32(0x3C, 0xFFFFFFF0); }},
      {"PE signature", [](Image& m) { m.b[0x41] = 'X'; }},
      {"magic", [](Image& m) { m.u16(kOptional, 0x107); }},
      {"data directories", [](Image& m) { m.u32(m.dirs() - 4, 0x10000); }},
      {"section table", [](Image& m) { m.u16(kFileHeader + 2, 0xFFFF); }},
      {"raw data of section", [](Image& m) { m.u32(m.section_table() + 40 + 20, 0xA80); }},
      {"export DLL name", [](Image& m) { m.u32(rdata(0x100C), 0x9000); }},
      {"export address table", [](Image& m) { m.u32(rdata(0x1014), 0x40000000); }},
      {"refers to function", [](Image& m) { m.u16(rdata(0x1060), 200); }},
      {"import descriptor", [](Image& m) { m.u32(m.dirs() + 8, 0x15F0); }},
      {"import hint", [](Image& m) { m.entry(rdata(0x1240), 0x9000); }},
      {"symbol table", [](Image& m) { m.u32(kFileHeader + 12, 0x10000000); }},
      {"string table", [](Image& m) { m.u32(kSymbols + 2 * 18 + 4, 0x1000); }},
      {"auxiliary", [](Image& m) { m.b[kSymbols + 5 * 18 + 17] = 1; }},
      {"level 2 is a directory", [](Image& m) { m.u32(rdata(0x1400 + 20), 0x80000000); }},  // root -> root
      {"data of resource", [](Image& m) { m.u32(rdata(0x14BC), 0x100000); }},
      {"resource name", [](Image& m) { m.u16(rdata(0x14E8), 0xFFFF); }},
  };
  for (const Case& c : cases) {
    Image image(GetParam());
    c.damage(image);
    try {
      PeFile pe(image.b);
      ADD_FAILURE() << "expected an error mentioning \"" << c.expect << "\", got a parsed file";
    } catch (const Error& e) {
      EXPECT_NE(std::string(e.what()).find(c.expect), std::string::npos)
          << "expected an error mentioning \"" << c.expect << "\", got: " << e.what();
    }
  }
}

TEST_P(EachFormat, DamagedBytesGiveAParseOrAnErrorNeverACrash) {
  // Run under ASan/UBSan: any stray read shows up there. Other exception types escape and fail.
  const std::vector<uint8_t> good = Image(GetParam()).b;
  size_t errors = 0;
  for (size_t i = 0; i < good.size(); ++i) {
    for (uint8_t v : {uint8_t(0xFF), uint8_t(good[i] ^ 0x80)}) {
      std::vector<uint8_t> bad = good;
      bad[i] = v;
      try {
        PeFile pe(bad);
        for (const auto& r : pe.resources()) pe.resource_bytes(r);
      } catch (const Error&) {
        ++errors;
      }
    }
  }
  EXPECT_GT(errors, 0u);
}

// A stripped image takes its symbols from its debug file, which must describe
// the same machine and sections.
TEST_P(EachFormat, SymbolsFromADebugFile) {
  struct Case {
    const char* what;
    std::function<void(Image&)> change_debug_file;
    uint32_t foo_bytes;   // stdcall bytes of Foo afterwards, when read
    const char* error;    // else the Error's text holds this
  };
  const Case cases[] = {
      {"its own symbols", [](Image& d) { d.str(kSymbols + 4 * 18, "_Foo@16"); }, 16, nullptr},
      {"another machine", [](Image& d) { d.u16(kFileHeader, 0x1c0); }, 0, "machine"},
      {"a section moved", [](Image& d) { d.u32(d.section_table() + 40 + 12, 0x4000); }, 0, "section 2"},
      {"a section renamed", [](Image& d) { d.b.at(d.section_table() + 1) = 'X'; }, 0, "section 1"},
  };
  // One file per format: the two formats' tests may run at the same time.
  const std::string path =
      ::testing::TempDir() + "pe_file_test_symbols_" + (GetParam() ? "pe32plus" : "pe32") + ".debug";
  for (const Case& c : cases) {
    Image debug(GetParam());
    c.change_debug_file(debug);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(debug.b.data()), debug.b.size());
    PeFile pe(Image(GetParam()).b);
    try {
      pe.read_symbols_from(path);
      EXPECT_EQ(c.error, nullptr) << c.what << ": expected an Error naming " << c.error << "; the symbols were read";
      EXPECT_EQ(pe.stdcall_arg_bytes("Foo"), c.foo_bytes) << c.what << ": Foo's argument bytes from the debug file";
    } catch (const Error& e) {
      EXPECT_NE(c.error, nullptr) << c.what << ": expected the symbols to be read; got " << e.what();
      if (c.error) {
        EXPECT_NE(std::string(e.what()).find(c.error), std::string::npos)
            << c.what << ": expected the error to name " << c.error << "; it says " << e.what();
      }
      EXPECT_EQ(pe.stdcall_arg_bytes("Foo"), 8u) << c.what << ": a refused debug file leaves the symbols as they were";
    }
  }
  std::remove(path.c_str());
  EXPECT_THROW(PeFile(Image(GetParam()).b).read_symbols_from(path), Error) << "a missing debug file is an Error";
}

}  // namespace
