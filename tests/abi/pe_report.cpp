#include "pe_report.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>

namespace peinfo {
namespace {

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

uint64_t Hex(const std::string& s) { return std::stoull(s, nullptr, 16); }

[[noreturn]] void Unreadable(const PeReport& r, const std::string& what) {
  throw std::runtime_error(r.path + ": " + what);
}

// What `command` printed on its standard output; throws unless it ran and
// ended with status 0.
std::string Run(const std::string& command) {
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) throw std::runtime_error("cannot run: " + command);
  std::string out;
  std::array<char, 4096> buffer;
  size_t n;
  while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) out.append(buffer.data(), n);
  const int status = pclose(pipe);
  if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    throw std::runtime_error("expected status 0 from: " + command + "\nit printed:\n" + out.substr(0, 2000));
  return out;
}

}  // namespace

const Export* PeReport::FindExport(const std::string& name) const {
  for (const Export& e : exports)
    if (e.name == name) return &e;
  return nullptr;
}

std::set<std::string> PeReport::ImportedFrom(const std::string& dll) const {
  auto it = imports.find(Lower(dll));
  return it == imports.end() ? std::set<std::string>{} : it->second;
}

std::optional<uint32_t> PeReport::StdcallArgumentBytes(const std::string& export_name) const {
  const Export* e = FindExport(export_name);
  if (!e) return std::nullopt;
  const std::string prefix = "_" + export_name + "@";
  for (auto it = symbols.lower_bound(prefix); it != symbols.end() && it->first.rfind(prefix, 0) == 0; ++it) {
    const std::string digits = it->first.substr(prefix.size());
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
      continue;
    if (it->second == image_base + e->rva) return static_cast<uint32_t>(std::stoul(digits));
  }
  return std::nullopt;
}

std::string PeReport::Bytes(uint32_t rva, uint32_t size) const {
  for (const Section& s : sections) {
    if (!s.has_contents || rva < s.rva || uint64_t{rva} + size > uint64_t{s.rva} + s.size) continue;
    const uint64_t at = uint64_t{s.file_offset} + (rva - s.rva);
    if (at + size > file.size()) break;
    return file.substr(static_cast<size_t>(at), size);
  }
  std::ostringstream what;
  what << "no section holds the " << size << " bytes at RVA 0x" << std::hex << rva;
  Unreadable(*this, what.str());
}

void ReadObjdumpPrivate(const std::string& text, PeReport& r) {
  static const std::regex format(R"(file format (\S+))");
  static const std::regex characteristics(R"(^Characteristics 0x([0-9a-f]+))");
  static const std::regex magic(R"(^Magic\s+[0-9a-f]+\s+\((PE32\+?)\))");
  static const std::regex image_base(R"(^ImageBase\s+([0-9a-f]+))");
  static const std::regex export_name(R"(^Name\s+[0-9a-f]+ (\S+))");
  static const std::regex address_count(R"(^\s+Export Address Table\s+([0-9a-f]+)$)");
  static const std::regex address(R"(^\s+\[\s*(\d+)\] \+base\[\s*\d+\] ([0-9a-f]+) (Export|Forwarder) RVA)");
  static const std::regex named(R"(^\s+\[\s*(\d+)\] (\S+)$)");
  static const std::regex dll(R"(^\s+DLL Name: (\S+))");
  static const std::regex by_name(R"(^\s+[0-9a-f]+\s+\d+\s+(\S+)$)");
  static const std::regex by_ordinal(R"(^\s+[0-9a-f]+\s+<none>\s+([0-9a-f]+))");
  static const std::regex table(R"(^[0-9a-f]+( +)(Type|Name|Language) Table:)");
  static const std::regex entry(R"(^[0-9a-f]+( +)Entry: (ID: (0x[0-9a-f]+)|name: .*?: (.*)), Value: )");
  static const std::regex leaf(R"(^[0-9a-f]+ +Leaf: Addr: (0x[0-9a-f]+), Size: (0x[0-9a-f]+),)");

  enum class Block { kOther, kAddresses, kNames, kImports, kRelocations, kResources } block = Block::kOther;
  std::map<uint32_t, Export> by_index;  // the export address table
  std::vector<std::pair<uint32_t, std::string>> names;
  std::string current_dll;
  std::map<size_t, std::string> level_of_indent;  // resource entry indentation -> "Type", "Name", "Language"
  std::string type, name;
  std::optional<uint16_t> language;
  bool seen_format = false, seen_magic = false;
  bool counts = false;  // after "Number in:", before the table addresses

  std::istringstream in(text);
  std::string line;
  std::smatch m;
  while (std::getline(in, line)) {
    if (line.find("Export Address Table -- Ordinal Base") != std::string::npos) { block = Block::kAddresses; continue; }
    if (line.find("[Ordinal/Name Pointer] Table") != std::string::npos) { block = Block::kNames; continue; }
    if (line.find("The Import Tables") != std::string::npos) { block = Block::kImports; continue; }
    if (line.find("Resource Directory section") != std::string::npos) { block = Block::kResources; continue; }
    if (line.find("The Export Tables") != std::string::npos || line.find("Resources start at offset") != std::string::npos) {
      block = Block::kOther;
      continue;
    }
    if (line.find("Base Relocations") != std::string::npos) block = Block::kRelocations;
    if (block == Block::kRelocations) continue;  // nothing asked of them; thousands of lines
    if (!seen_format && std::regex_search(line, m, format)) {
      r.format = m[1];
      seen_format = true;
    } else if (std::regex_search(line, m, characteristics)) {
      r.characteristics = static_cast<uint32_t>(Hex(m[1]));
    } else if (std::regex_search(line, m, magic)) {
      r.pe32_plus = m[1] == "PE32+";
      seen_magic = true;
    } else if (std::regex_search(line, m, image_base)) {
      r.image_base = Hex(m[1]);
    } else if (block == Block::kOther && std::regex_search(line, m, export_name)) {
      r.export_dll_name = m[1];
    } else if (block == Block::kOther && line.rfind("Number in:", 0) == 0) {
      counts = true;
    } else if (block == Block::kOther && line.rfind("Table Addresses", 0) == 0) {
      counts = false;
    } else if (counts && std::regex_search(line, m, address_count)) {
      r.exports_by_address = static_cast<uint32_t>(Hex(m[1]));
    } else if (block == Block::kAddresses && std::regex_search(line, m, address)) {
      by_index[static_cast<uint32_t>(std::stoul(m[1]))] = {"", static_cast<uint32_t>(Hex(m[2])), m[3] == "Forwarder"};
    } else if (block == Block::kNames && std::regex_search(line, m, named)) {
      names.emplace_back(static_cast<uint32_t>(std::stoul(m[1])), m[2]);
    } else if (block == Block::kImports && std::regex_search(line, m, dll)) {
      current_dll = Lower(m[1]);
      r.imports[current_dll];
    } else if (block == Block::kImports && !current_dll.empty() && std::regex_search(line, m, by_ordinal)) {
      r.imports[current_dll].insert("ordinal " + std::to_string(Hex(m[1])));
    } else if (block == Block::kImports && !current_dll.empty() && std::regex_search(line, m, by_name)) {
      r.imports[current_dll].insert(m[1]);
    } else if (block == Block::kResources && std::regex_search(line, m, table)) {
      level_of_indent[m[1].length() + 1] = m[2];
    } else if (block == Block::kResources && std::regex_search(line, m, entry)) {
      auto level = level_of_indent.find(m[1].length());
      if (level == level_of_indent.end()) Unreadable(r, "a resource entry outside any table: " + line);
      const std::string id = m[3].matched ? "#" + std::to_string(Hex(m[3])) : std::string(m[4]);
      // A new type or name starts afresh below it.
      if (level->second == "Type") {
        type = id;
        name.clear();
        language.reset();
      } else if (level->second == "Name") {
        name = id;
        language.reset();
      } else {
        if (!m[3].matched || Hex(m[3]) > 0xFFFF) Unreadable(r, "a resource language that is no number: " + line);
        language = static_cast<uint16_t>(Hex(m[3]));
      }
    } else if (block == Block::kResources && std::regex_search(line, m, leaf)) {
      if (type.empty() || name.empty() || !language) Unreadable(r, "a resource leaf without its type, name and language");
      r.resources.push_back({type, name, *language, static_cast<uint32_t>(Hex(m[1])), static_cast<uint32_t>(Hex(m[2]))});
    }
  }
  if (!seen_format || !seen_magic) Unreadable(r, "objdump -p printed no file format or no optional header");
  for (const auto& [index, export_name] : names) {
    auto it = by_index.find(index);
    if (it == by_index.end()) Unreadable(r, "the export " + export_name + " points past the export address table");
    r.exports.push_back({export_name, it->second.rva, it->second.forwarded});
  }
  if (by_index.size() != r.exports_by_address)
    Unreadable(r, "the export address table lists " + std::to_string(by_index.size()) + " entries of " +
                      std::to_string(r.exports_by_address));
}

void ReadObjdumpSections(const std::string& text, PeReport& r) {
  static const std::regex header(
      R"(^\s*\d+ (\S+)\s+([0-9a-f]+)\s+([0-9a-f]+)\s+[0-9a-f]+\s+([0-9a-f]+)\s+2\*\*\d+$)");
  std::istringstream in(text);
  std::string line;
  std::smatch m;
  while (std::getline(in, line)) {
    if (std::regex_search(line, m, header)) {
      const uint64_t vma = Hex(m[3]);
      if (vma < r.image_base) Unreadable(r, "the section " + std::string(m[1]) + " lies below the image base");
      r.sections.push_back({m[1], static_cast<uint32_t>(vma - r.image_base), static_cast<uint32_t>(Hex(m[2])),
                            static_cast<uint32_t>(Hex(m[4])), false});
    } else if (!r.sections.empty() && line.find("CONTENTS") != std::string::npos) {
      r.sections.back().has_contents = true;
    }
  }
  if (r.sections.empty()) Unreadable(r, "objdump -h printed no sections");
}

void ReadNm(const std::string& text, PeReport& r) {
  static const std::regex defined(R"(^([0-9a-f]+) [A-Za-z] (\S+)$)");
  std::istringstream in(text);
  std::string line;
  std::smatch m;
  while (std::getline(in, line))
    if (std::regex_search(line, m, defined)) r.symbols[m[2]] = Hex(m[1]);
}

PeReport ReadPe(const std::string& path) {
  PeReport r;
  r.path = path;
  if (path.find('\'') != std::string::npos) Unreadable(r, "a path with a quote");
  std::ifstream f(path, std::ios::binary);
  if (!f) Unreadable(r, "cannot open the file");
  r.file.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
  const std::string quoted = " '" + path + "'";
  ReadObjdumpPrivate(Run(std::string(FARELIB_OBJDUMP) + " -p" + quoted), r);
  ReadObjdumpSections(Run(std::string(FARELIB_OBJDUMP) + " -h" + quoted), r);
  ReadNm(Run(std::string(FARELIB_NM) + quoted), r);
  return r;
}

void ReadSymbolsFrom(PeReport& r, const std::string& debug_path) {
  if (debug_path.find('\'') != std::string::npos) Unreadable(r, "a debug file path with a quote");
  const std::string quoted = " '" + debug_path + "'";
  PeReport debug;
  debug.path = debug_path;
  debug.image_base = r.image_base;
  ReadObjdumpSections(Run(std::string(FARELIB_OBJDUMP) + " -h" + quoted), debug);
  // The debug file keeps the image's sections at their addresses (and adds
  // its debug sections; the image adds the link to it): one made from another
  // image is refused.
  for (const Section& own : r.sections) {
    if (own.name == ".gnu_debuglink") continue;  // the link to the debug file itself
    bool found = false;
    for (const Section& kept : debug.sections) found = found || (kept.name == own.name && kept.rva == own.rva);
    if (!found) Unreadable(r, "the debug file " + debug_path + " belongs to another image (no " + own.name + ")");
  }
  ReadNm(Run(std::string(FARELIB_NM) + quoted), debug);
  if (debug.symbols.empty()) Unreadable(r, "the debug file " + debug_path + " holds no symbols");
  r.symbols = std::move(debug.symbols);
}

}  // namespace peinfo
