// What the MinGW toolchain's binutils report of a PE image: `objdump -p`
// (headers, exports, imports, the resource tree), `objdump -h` (sections)
// and `nm` (the symbol table), read into plain records. The package test asks
// the same tools, so every question about a built image has one answerer.
// A report that cannot be read whole throws std::runtime_error naming the
// command and what it printed; nothing is guessed.
#ifndef FARELIB_TESTS_ABI_PE_REPORT_H
#define FARELIB_TESTS_ABI_PE_REPORT_H

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace peinfo {

struct Section {
  std::string name;
  uint32_t rva = 0;
  uint32_t size = 0;  // the bytes the file holds for it, at most its size in memory
  uint32_t file_offset = 0;
  bool has_contents = false;
};

struct Export {
  std::string name;
  uint32_t rva = 0;
  bool forwarded = false;
};

struct Resource {
  std::string type, name;  // "#<id>", or the name as the tool prints it
  uint16_t language = 0;
  uint32_t rva = 0;
  uint32_t size = 0;
  std::string Key() const { return type + "/" + name + "/" + std::to_string(language); }
};

struct PeReport {
  std::string path;
  std::string format;  // "pei-i386", "pei-x86-64"
  bool pe32_plus = false;
  uint32_t characteristics = 0;
  uint64_t image_base = 0;
  std::string export_dll_name;
  uint32_t exports_by_address = 0;  // entries of the export address table
  std::vector<Export> exports;      // the named ones
  std::map<std::string, std::set<std::string>> imports;  // lower-case DLL name -> function names
  std::vector<Section> sections;
  std::vector<Resource> resources;
  std::map<std::string, uint64_t> symbols;  // nm's defined symbols and their addresses

  bool IsDll() const { return (characteristics & 0x2000) != 0; }
  const Export* FindExport(const std::string& name) const;
  std::set<std::string> ImportedFrom(const std::string& dll) const;  // any case; empty if none
  // N of the stdcall symbol "_<name>@<N>" that stands at the export's address.
  std::optional<uint32_t> StdcallArgumentBytes(const std::string& export_name) const;
  // The file's bytes at [rva, rva + size); throws unless a section holds all of them.
  std::string Bytes(uint32_t rva, uint32_t size) const;

  std::string file;  // the whole file
};

// Runs the i686 toolchain's tools (or those named by FARELIB_OBJDUMP and
// FARELIB_NM at build time) over `path`.
PeReport ReadPe(const std::string& path);
// The symbols of a stripped image, from the debug file its debug link names
// (objcopy --only-keep-debug): they replace report.symbols. A debug file with
// other sections than the image's, or without symbols, is refused.
void ReadSymbolsFrom(PeReport& report, const std::string& debug_path);

// The readers alone, over the tools' text.
void ReadObjdumpPrivate(const std::string& text, PeReport& report);
void ReadObjdumpSections(const std::string& text, PeReport& report);
void ReadNm(const std::string& text, PeReport& report);

}  // namespace peinfo

#endif
