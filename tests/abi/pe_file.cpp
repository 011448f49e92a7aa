#include "pe_file.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

namespace peinfo {
namespace {

uint16_t rd16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t rd32(const uint8_t* p) { return rd16(p) | uint32_t(rd16(p + 2)) << 16; }
uint64_t rd64(const uint8_t* p) { return rd32(p) | uint64_t(rd32(p + 4)) << 32; }

std::string hex(uint64_t v) {
  static const char digits[] = "0123456789abcdef";
  std::string s;
  do {
    s.insert(s.begin(), digits[v & 15]);
    v >>= 4;
  } while (v);
  return "0x" + s;
}

[[noreturn]] void fail(const std::string& what) { throw Error(what); }

// A NUL-padded fixed-width name field (section and short symbol names).
std::string fixed_name(const uint8_t* p, size_t width) {
  size_t n = 0;
  while (n < width && p[n]) ++n;
  return std::string(reinterpret_cast<const char*>(p), n);
}

std::string utf16_to_utf8(const uint8_t* p, size_t units) {
  std::string out;
  for (size_t i = 0; i < units; ++i) {
    uint32_t c = rd16(p + 2 * i);
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < units) {
      uint32_t lo = rd16(p + 2 * i + 2);
      if (lo >= 0xDC00 && lo < 0xE000) {
        c = 0x10000 + ((c - 0xD800) << 10) + (lo - 0xDC00);
        ++i;
      }
    }
    if (c < 0x80) {
      out += char(c);
    } else if (c < 0x800) {
      out += char(0xC0 | c >> 6);
      out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += char(0xE0 | c >> 12);
      out += char(0x80 | (c >> 6 & 0x3F));
      out += char(0x80 | (c & 0x3F));
    } else {
      out += char(0xF0 | c >> 18);
      out += char(0x80 | (c >> 12 & 0x3F));
      out += char(0x80 | (c >> 6 & 0x3F));
      out += char(0x80 | (c & 0x3F));
    }
  }
  return out;
}

// A walk over many directory entries that share subdirectories can multiply; cap it.
constexpr size_t kMaxResources = 100000;

}  // namespace

std::string ResourceId::str() const { return named ? name : "#" + std::to_string(id); }

PeFile::PeFile(std::vector<uint8_t> bytes) : data_(std::move(bytes)) {
  parse_headers();
  parse_exports();
  parse_imports();
  if (Dir d = dir(2); d.rva != 0) {
    ResourceId path[2];
    parse_resource_dir(d.rva, 0, 0, path);
  }
}

namespace {
std::vector<uint8_t> read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) fail("cannot open " + path);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) fail("cannot read " + path);
  return bytes;
}
}  // namespace

PeFile PeFile::load(const std::string& path) { return PeFile(read_file(path)); }

void PeFile::read_symbols_from(const std::string& debug_path) {
  PeFile debug;
  debug.data_ = read_file(debug_path);
  debug.parse_headers();
  if (debug.machine_ != machine_)
    fail(debug_path + " is for machine " + hex(debug.machine_) + ", the image for " + hex(machine_));
  // Symbols refer to sections by index: the debug file's must be the image's
  // (the image's debug link comes after them and is not in the debug file).
  for (size_t i = 0; i < sections_.size(); ++i)
    if (sections_[i].name != ".gnu_debuglink" &&
        (i >= debug.sections_.size() || debug.sections_[i].name != sections_[i].name ||
         debug.sections_[i].rva != sections_[i].rva))
      fail(debug_path + ": section " + std::to_string(i + 1) + " is not the image's " + sections_[i].name);
  symbols_ = std::move(debug.symbols_);
}

Bytes PeFile::file_at(uint64_t off, uint64_t size, const char* what) const {
  if (off > data_.size() || size > data_.size() - off)
    fail(std::string(what) + " at file offset " + hex(off) + " (" + hex(size) +
         " bytes) runs past the end of the file (" + hex(data_.size()) + " bytes)");
  return {data_.data() + off, size_t(size)};
}

// The file bytes from rva to the end of the section (or header area) holding it.
Bytes PeFile::region_at(uint64_t rva) const {
  auto clip = [&](uint64_t off, uint64_t avail) -> Bytes {
    if (off >= data_.size()) return {};
    return {data_.data() + off, size_t(std::min<uint64_t>(avail, data_.size() - off))};
  };
  for (const Section& s : sections_) {
    uint64_t span = s.virtual_size ? std::min(s.virtual_size, s.raw_size) : s.raw_size;
    if (rva >= s.rva && rva < s.rva + span) return clip(s.raw_offset + (rva - s.rva), s.rva + span - rva);
  }
  if (rva < size_of_headers_) return clip(rva, size_of_headers_ - rva);
  return {};
}

Bytes PeFile::at(uint64_t rva, uint64_t size, const char* what) const {
  if (size == 0) return {};
  Bytes r = region_at(rva);
  if (r.size < size)
    fail(std::string(what) + " at RVA " + hex(rva) + " (" + hex(size) + " bytes) is not backed by file data" +
         (r.size ? " (only " + hex(r.size) + " bytes)" : ""));
  return {r.data, size_t(size)};
}

std::string PeFile::cstr_at(uint64_t rva, const char* what) const {
  Bytes r = region_at(rva);
  const void* end = r.size ? std::memchr(r.data, 0, r.size) : nullptr;
  if (!end) fail(std::string(what) + " at RVA " + hex(rva) + " is not a terminated string inside the file");
  return std::string(reinterpret_cast<const char*>(r.data), static_cast<const uint8_t*>(end) - r.data);
}

Bytes PeFile::rva_bytes(uint32_t rva, uint32_t size) const { return at(rva, size, "data"); }

std::optional<uint32_t> PeFile::rva_to_offset(uint32_t rva) const {
  Bytes r = region_at(rva);
  if (!r.size) return std::nullopt;
  return uint32_t(r.data - data_.data());
}

void PeFile::parse_headers() {
  const uint8_t* mz = file_at(0, 0x40, "DOS header").data;
  if (rd16(mz) != 0x5A4D) fail("no MZ signature at the start of the file");
  uint64_t pe = rd32(mz + 0x3C);
  const uint8_t* fh = file_at(pe, 24, "PE header").data;
  if (rd32(fh) != 0x4550) fail("no PE signature at file offset " + hex(pe));
  fh += 4;
  machine_ = rd16(fh);
  uint16_t nsections = rd16(fh + 2);
  uint32_t symbol_pointer = rd32(fh + 8), nsymbols = rd32(fh + 12);
  uint16_t opt_size = rd16(fh + 16);
  characteristics_ = rd16(fh + 18);

  const uint8_t* opt = file_at(pe + 24, opt_size, "optional header").data;
  if (opt_size < 2) fail("optional header is missing");
  uint16_t magic = rd16(opt);
  if (magic != 0x10B && magic != 0x20B) fail("unknown optional header magic " + hex(magic));
  pe32_plus_ = magic == 0x20B;
  uint32_t dirs_at = pe32_plus_ ? 112 : 96;
  if (opt_size < dirs_at) fail("optional header is " + hex(opt_size) + " bytes, expected at least " + hex(dirs_at));
  image_base_ = pe32_plus_ ? rd64(opt + 24) : rd32(opt + 28);
  size_of_headers_ = rd32(opt + 60);
  uint32_t ndirs = rd32(opt + dirs_at - 4);
  if (dirs_at + uint64_t(ndirs) * 8 > opt_size)
    fail(hex(ndirs) + " data directories do not fit in the optional header");
  for (uint32_t i = 0; i < ndirs; ++i) dirs_.push_back({rd32(opt + dirs_at + 8 * i), rd32(opt + dirs_at + 8 * i + 4)});

  const uint8_t* sh = file_at(pe + 24 + opt_size, uint64_t(nsections) * 40, "section table").data;
  for (uint16_t i = 0; i < nsections; ++i, sh += 40) {
    Section s;
    s.name = fixed_name(sh, 8);
    s.virtual_size = rd32(sh + 8);
    s.rva = rd32(sh + 12);
    s.raw_size = rd32(sh + 16);
    s.raw_offset = rd32(sh + 20);
    s.characteristics = rd32(sh + 36);
    if (s.raw_size) file_at(s.raw_offset, s.raw_size, ("raw data of section " + s.name).c_str());
    sections_.push_back(s);
  }
  parse_symbols(symbol_pointer, nsymbols);
}

void PeFile::parse_symbols(uint32_t pointer, uint32_t count) {
  if (pointer == 0) return;
  const uint8_t* table = file_at(pointer, uint64_t(count) * 18, "symbol table").data;
  uint64_t strings_at = pointer + uint64_t(count) * 18;
  Bytes strings;
  if (strings_at < data_.size()) {
    uint32_t size = rd32(file_at(strings_at, 4, "string table size").data);
    if (size < 4) fail("string table size " + hex(size) + " is smaller than its own size field");
    strings = file_at(strings_at, size, "string table");
  }
  auto long_name = [&](uint64_t off) {
    const void* end = off >= 4 && off < strings.size ? std::memchr(strings.data + off, 0, strings.size - off) : nullptr;
    if (!end) fail("string table offset " + hex(off) + " does not hold a terminated name");
    return std::string(reinterpret_cast<const char*>(strings.data + off), static_cast<const uint8_t*>(end) - strings.data - off);
  };

  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t* e = table + 18 * uint64_t(i);
    Symbol s;
    if (rd32(e) == 0)
      s.name = long_name(rd32(e + 4));
    else
      s.name = fixed_name(e, 8);
    s.value = rd32(e + 8);
    s.section = int16_t(rd16(e + 12));
    s.type = rd16(e + 14);
    s.storage_class = e[16];
    uint8_t aux = e[17];
    if (uint64_t(i) + aux >= count) fail("symbol " + s.name + " has auxiliary records past the end of the table");
    i += aux;
    symbols_.push_back(std::move(s));
  }
  for (Section& s : sections_)
    if (s.name.size() > 1 && s.name[0] == '/' && s.name.find_first_not_of("0123456789", 1) == std::string::npos)
      s.name = long_name(std::stoull(s.name.substr(1)));
}

void PeFile::parse_exports() {
  Dir d = dir(0);
  if (d.rva == 0) return;
  const uint8_t* ed = at(d.rva, 40, "export directory").data;
  uint32_t name_rva = rd32(ed + 12), base = rd32(ed + 16), nfunctions = rd32(ed + 20), nnames = rd32(ed + 24);
  if (name_rva) export_dll_name_ = cstr_at(name_rva, "export DLL name");
  const uint8_t* functions = at(rd32(ed + 28), uint64_t(nfunctions) * 4, "export address table").data;
  const uint8_t* names = at(rd32(ed + 32), uint64_t(nnames) * 4, "export name table").data;
  const uint8_t* ordinals = at(rd32(ed + 36), uint64_t(nnames) * 2, "export ordinal table").data;

  std::vector<bool> named(nfunctions);
  auto add = [&](uint32_t index, std::string name) {
    Export e;
    e.name = std::move(name);
    e.ordinal = base + index;
    e.rva = rd32(functions + 4 * uint64_t(index));
    if (e.rva >= d.rva && e.rva - d.rva < d.size) {
      e.forwarder = true;
      e.forwarded_to = cstr_at(e.rva, "export forwarder");
    }
    exports_.push_back(std::move(e));
  };
  for (uint32_t i = 0; i < nnames; ++i) {
    uint16_t index = rd16(ordinals + 2 * uint64_t(i));
    std::string name = cstr_at(rd32(names + 4 * uint64_t(i)), "export name");
    if (index >= nfunctions)
      fail("export " + name + " refers to function " + std::to_string(index) + " of " + std::to_string(nfunctions));
    named[index] = true;
    add(index, std::move(name));
  }
  for (uint32_t i = 0; i < nfunctions; ++i)
    if (!named[i] && rd32(functions + 4 * uint64_t(i)) != 0) add(i, "");
  std::stable_sort(exports_.begin(), exports_.end(),
                   [](const Export& a, const Export& b) { return a.ordinal < b.ordinal; });
}

void PeFile::parse_imports() {
  Dir d = dir(1);
  if (d.rva == 0) return;
  const uint64_t width = pe32_plus_ ? 8 : 4, by_ordinal = uint64_t(1) << (width * 8 - 1);
  for (uint64_t desc = d.rva;; desc += 20) {
    const uint8_t* id = at(desc, 20, "import descriptor").data;
    uint32_t lookup = rd32(id), name = rd32(id + 12), iat = rd32(id + 16);
    if (lookup == 0 && name == 0 && iat == 0) break;
    ImportedDll dll;
    dll.name = cstr_at(name, "imported DLL name");
    for (uint64_t t = lookup ? lookup : iat;; t += width) {
      const uint8_t* p = at(t, width, "import lookup entry").data;
      uint64_t v = width == 8 ? rd64(p) : rd32(p);
      if (v == 0) break;
      ImportedFunction f;
      if (v & by_ordinal) {
        f.by_ordinal = true;
        f.ordinal = uint16_t(v);
      } else {
        uint32_t hint_name = uint32_t(v & 0x7FFFFFFF);
        f.hint = rd16(at(hint_name, 2, "import hint").data);
        f.name = cstr_at(hint_name + uint64_t(2), "imported function name");
      }
      dll.functions.push_back(std::move(f));
    }
    imports_.push_back(std::move(dll));
  }
}

// Levels: 0 type, 1 name, 2 language; offsets are relative to the resource directory.
void PeFile::parse_resource_dir(uint32_t base, uint64_t offset, int level, ResourceId path[2]) {
  const uint8_t* rd = at(base + offset, 16, "resource directory").data;
  uint32_t count = uint32_t(rd16(rd + 12)) + rd16(rd + 14);
  const uint8_t* entries = at(base + offset + 16, uint64_t(count) * 8, "resource directory entries").data;
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t name = rd32(entries + 8 * i), target = rd32(entries + 8 * i + 4);
    ResourceId id;
    if (name & 0x80000000) {
      uint64_t at_rva = uint64_t(base) + (name & 0x7FFFFFFF);
      uint16_t units = rd16(at(at_rva, 2, "resource name length").data);
      id.named = true;
      id.name = utf16_to_utf8(at(at_rva + 2, uint64_t(units) * 2, "resource name").data, units);
    } else {
      id.id = uint16_t(name);
    }
    bool subdirectory = (target & 0x80000000) != 0;
    if (subdirectory != (level < 2))
      fail("resource entry at level " + std::to_string(level) + " is " + (subdirectory ? "a directory" : "data") +
           ", expected " + (level < 2 ? "a directory" : "data"));
    if (level < 2) {
      path[level] = id;
      parse_resource_dir(base, target & 0x7FFFFFFF, level + 1, path);
      continue;
    }
    if (id.named) fail("resource language entry has a name (" + id.name + "), expected a language id");
    const uint8_t* data = at(uint64_t(base) + target, 16, "resource data entry").data;
    Resource r{path[0], path[1], id.id, rd32(data), rd32(data + 4)};
    at(r.data_rva, r.size, ("data of resource " + r.type.str() + "/" + r.name.str()).c_str());
    resources_.push_back(std::move(r));
    if (resources_.size() > kMaxResources) fail("more than " + std::to_string(kMaxResources) + " resources");
  }
}

const Export* PeFile::find_export(const std::string& name) const {
  for (const Export& e : exports_)
    if (e.name == name) return &e;
  return nullptr;
}

const ImportedDll* PeFile::find_import(const std::string& dll) const {
  auto lower = [](std::string s) {
    for (char& c : s)
      if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return s;
  };
  for (const ImportedDll& d : imports_)
    if (lower(d.name) == lower(dll)) return &d;
  return nullptr;
}

std::optional<uint32_t> PeFile::symbol_rva(const Symbol& s) const {
  if (s.section < 1 || size_t(s.section) > sections_.size()) return std::nullopt;
  return sections_[s.section - 1].rva + s.value;
}

std::optional<uint32_t> PeFile::stdcall_arg_bytes(const std::string& export_name) const {
  const Export* e = find_export(export_name);
  if (!e) return std::nullopt;
  const std::string prefix = "_" + export_name + "@";
  for (const Symbol& s : symbols_) {
    if (s.name.compare(0, prefix.size(), prefix) != 0) continue;
    std::string n = s.name.substr(prefix.size());
    if (n.empty() || n.size() > 9 || n.find_first_not_of("0123456789") != std::string::npos) continue;
    if (symbol_rva(s) == e->rva) return uint32_t(std::stoul(n));
  }
  return std::nullopt;
}

bool PeFile::has_version_resource() const {
  return std::any_of(resources_.begin(), resources_.end(),
                     [](const Resource& r) { return !r.type.named && r.type.id == kResourceTypeVersion; });
}

}  // namespace peinfo
