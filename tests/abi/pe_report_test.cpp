// The readers of objdump's and nm's text, on reports written the way the
// tools print them: the cases the built DLLs do not show (exports whose
// ordinals differ from their name order, forwarders, a second language,
// decoy symbols) and reports that must not be read as something else.
#include <gtest/gtest.h>

#include <iterator>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>

#include "pe_report.h"

namespace {

const std::string kPrivate = R"(
t.dll:     file format pei-i386

Characteristics 0x2106
	DLL
Magic			010b	(PE32)
ImageBase		70e40000

The Import Tables (interpreted .idata section contents)
 vma:            Hint    Time      Forward  DLL       First
 00006000	0000603c 00000000 00000000 00006200 000060a0

	DLL Name: KERNEL32.dll
	vma:  Hint/Ord Member-Name Bound-To
	6104	  277  DeleteCriticalSection
	6118	 1585  lstrlenA

	DLL Name: msvcrt.dll
	vma:  Hint/Ord Member-Name Bound-To
	6124	  969  free

 00006028	00000000 00000000 00000000 00000000 00000000

The Export Tables (interpreted .edata section contents)

Export Flags 			0
Name 				00007050 t.dll
Ordinal Base 			1
Number in:
	Export Address Table 		00000003
	[Name Pointer/Ordinal] Table	00000003
Table Addresses
	Export Address Table 		00007028
	Name Pointer Table 		00007034

Export Address Table -- Ordinal Base 1
	[   0] +base[   1] 14b0 Export RVA
	[   1] +base[   2] 14ba Export RVA
	[   2] +base[   3] 7070 Forwarder RVA -- KERNEL32.lstrlenA

[Ordinal/Name Pointer] Table
	[   1] a
	[   0] b
	[   2] c

The .rsrc Resource Directory section:
000  Type Table: Char: 0, Time: 00000000, Ver: 0/0, Num Names: 0, IDs: 1
010   Entry: ID: 0x000002, Value: 0x80000020
020    Name Table: Char: 0, Time: 00000000, Ver: 0/0, Num Names: 0, IDs: 1
030     Entry: ID: 0x000066, Value: 0x80000038
038      Language Table: Char: 0, Time: 00000000, Ver: 0/0, Num Names: 0, IDs: 2
048       Entry: ID: 0x000409, Value: 0x000090
090        Leaf: Addr: 0x008100, Size: 0x000010, Codepage: 0
050       Entry: ID: 0x000411, Value: 0x0000a0
0a0        Leaf: Addr: 0x008110, Size: 0x000020, Codepage: 0
 Resources start at offset: 0xc0
)";

const std::string kSections = R"(
Sections:
Idx Name          Size      VMA       LMA       File off  Algn
  0 .text         00000810  70e41000  70e41000  00000400  2**4
                  CONTENTS, ALLOC, LOAD, READONLY, CODE
  1 .bss          00000100  70e42000  70e42000  00000000  2**2
                  ALLOC
  2 .rsrc         00000200  70e48000  70e48000  00000c00  2**2
                  CONTENTS, ALLOC, LOAD, DATA
)";

const std::string kNm = R"(70e414ba T _a@8
70e414b0 T _b@4
70e414c0 t _b@12
00000000 A _free@4
         U _missing@4
)";

peinfo::PeReport Read() {
  peinfo::PeReport r;
  r.path = "t.dll";
  peinfo::ReadObjdumpPrivate(kPrivate, r);
  peinfo::ReadObjdumpSections(kSections, r);
  peinfo::ReadNm(kNm, r);
  return r;
}

TEST(PeReport, ReadsHeadersImportsAndExportsByTheirOrdinals) {
  const peinfo::PeReport r = Read();
  EXPECT_EQ(r.format, "pei-i386");
  EXPECT_FALSE(r.pe32_plus);
  EXPECT_TRUE(r.IsDll()) << "characteristics 0x" << std::hex << r.characteristics;
  EXPECT_EQ(r.image_base, 0x70e40000u);
  EXPECT_EQ(r.export_dll_name, "t.dll");
  EXPECT_EQ(r.exports_by_address, 3u);
  EXPECT_EQ(r.ImportedFrom("kernel32.DLL"), (std::set<std::string>{"DeleteCriticalSection", "lstrlenA"}));
  EXPECT_EQ(r.ImportedFrom("MSVCRT.dll"), std::set<std::string>{"free"});
  EXPECT_TRUE(r.ImportedFrom("user32.dll").empty());

  struct Want {
    const char* name;
    uint32_t rva;
    bool forwarded;
    std::optional<uint32_t> stdcall_bytes;
  } want[] = {{"a", 0x14ba, false, 8}, {"b", 0x14b0, false, 4}, {"c", 0x7070, true, std::nullopt}};
  ASSERT_EQ(r.exports.size(), std::size(want));
  for (const Want& w : want) {
    const peinfo::Export* e = r.FindExport(w.name);
    ASSERT_NE(e, nullptr) << "expected the export " << w.name;
    EXPECT_EQ(e->rva, w.rva) << w.name << ": the address of its ordinal, not of its place among the names";
    EXPECT_EQ(e->forwarded, w.forwarded) << w.name;
    EXPECT_EQ(r.StdcallArgumentBytes(w.name), w.stdcall_bytes) << w.name << ": only the symbol at its address counts";
  }
}

TEST(PeReport, ReadsEveryResourceAndItsBytesThroughTheSections) {
  peinfo::PeReport r = Read();
  r.file.assign(0xc00, '\0');
  for (int i = 0; i < 0x200; ++i) r.file.push_back(static_cast<char>(i));
  struct Want {
    const char* key;
    uint32_t rva, size;
  } want[] = {{"#2/#102/1033", 0x8100, 0x10}, {"#2/#102/1041", 0x8110, 0x20}};
  ASSERT_EQ(r.resources.size(), std::size(want));
  for (size_t i = 0; i < std::size(want); ++i) {
    EXPECT_EQ(r.resources[i].Key(), want[i].key) << "resource " << i;
    EXPECT_EQ(r.resources[i].rva, want[i].rva) << want[i].key;
    EXPECT_EQ(r.resources[i].size, want[i].size) << want[i].key;
  }
  EXPECT_EQ(r.Bytes(0x8110, 2), std::string("\x10\x11")) << "file offset 0xc00 + 0x110";
  EXPECT_THROW(r.Bytes(0x81ff, 2), std::runtime_error) << "past the end of .rsrc";
  EXPECT_THROW(r.Bytes(0x2000, 4), std::runtime_error) << ".bss has no bytes in the file";
}

TEST(PeReport, RefusesWhatItCannotReadWhole) {
  const std::string head = "t.dll:     file format pei-i386\nMagic\t\t\t010b\t(PE32)\n";
  const std::string table = "Number in:\n\tExport Address Table \t\t00000002\nTable Addresses\n"
                            "Export Address Table -- Ordinal Base 1\n\t[   0] +base[   1] 14b0 Export RVA\n";
  struct Case {
    const char* what;
    std::string text;
  } cases[] = {
      {"no file format", "Magic\t\t\t010b\t(PE32)\n"},
      {"no optional header", "t.dll:     file format pei-i386\n"},
      {"fewer addresses than counted", head + table},
      {"a name past the export address table",
       head + table + "\t[   1] +base[   2] 14ba Export RVA\n\n[Ordinal/Name Pointer] Table\n\t[   2] a\n"},
      {"a leaf under a name whose language was not read",
       head + kPrivate.substr(kPrivate.find("The .rsrc"), kPrivate.find(" Resources start") - kPrivate.find("The .rsrc")) +
           "030     Entry: ID: 0x000067, Value: 0x80000038\n"
           "0a0        Leaf: Addr: 0x008110, Size: 0x000020, Codepage: 0\n"},
  };
  for (const Case& c : cases) {
    peinfo::PeReport r;
    EXPECT_THROW(peinfo::ReadObjdumpPrivate(c.text, r), std::runtime_error) << c.what;
  }
  peinfo::PeReport r;
  EXPECT_THROW(peinfo::ReadObjdumpSections("Sections:\nIdx Name Size\n", r), std::runtime_error) << "no sections";
}

// A stripped image takes its symbols from its own debug file only.
TEST(PeReport, TakesSymbolsFromItsOwnDebugFileAndRefusesAnother) {
  const std::string bin = FARELIB_WIN32_BIN;
  peinfo::PeReport four = peinfo::ReadPe(bin + "/farelib4.dll");
  EXPECT_TRUE(four.symbols.empty()) << "the shipped farelib4.dll still has a symbol table";
  peinfo::ReadSymbolsFrom(four, bin + "/farelib4.dll.debug");
  EXPECT_TRUE(four.StdcallArgumentBytes("LenB_ASCII").has_value()) << "no _LenB_ASCII@N from the debug file";
  peinfo::PeReport plugin = peinfo::ReadPe(bin + "/sample_plugin.dll");
  EXPECT_THROW(peinfo::ReadSymbolsFrom(plugin, bin + "/farelib4.dll.debug"), std::runtime_error)
      << "the debug file of another image was taken";
}

}  // namespace
