// Reader for PE32 / PE32+ images, used by the native checks of the built DLLs.
// Everything is parsed when a PeFile is constructed; every read is bounds-checked
// and a truncated or inconsistent file raises peinfo::Error.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace peinfo {

struct Error : std::runtime_error {
  using std::runtime_error::runtime_error;
};

constexpr uint16_t kMachineI386 = 0x14c;
constexpr uint16_t kMachineAmd64 = 0x8664;
constexpr uint16_t kResourceTypeVersion = 16;

// A view into the file's bytes; valid while the PeFile lives.
struct Bytes {
  const uint8_t* data = nullptr;
  size_t size = 0;
};

struct Section {
  std::string name;  // long "/N" names resolved through the string table
  uint32_t rva = 0;
  uint32_t virtual_size = 0;
  uint32_t raw_offset = 0;
  uint32_t raw_size = 0;
  uint32_t characteristics = 0;
};

struct Export {
  std::string name;  // empty for an export by ordinal only
  uint32_t ordinal = 0;
  uint32_t rva = 0;
  bool forwarder = false;
  std::string forwarded_to;  // "DLL.Function" when forwarder
};

struct ImportedFunction {
  std::string name;  // empty when imported by ordinal
  uint16_t hint = 0;
  bool by_ordinal = false;
  uint16_t ordinal = 0;
};

struct ImportedDll {
  std::string name;  // as written in the import directory
  std::vector<ImportedFunction> functions;
};

struct Symbol {
  std::string name;
  uint32_t value = 0;
  int16_t section = 0;  // 1-based; 0 undefined, -1 absolute, -2 debug
  uint16_t type = 0;
  uint8_t storage_class = 0;
};

struct ResourceId {
  bool named = false;
  uint16_t id = 0;
  std::string name;  // UTF-8 when named
  std::string str() const;  // the name, or "#<id>"
};

struct Resource {
  ResourceId type;
  ResourceId name;
  uint16_t language = 0;
  uint32_t data_rva = 0;
  uint32_t size = 0;
};

class PeFile {
 public:
  explicit PeFile(std::vector<uint8_t> bytes);  // throws Error
  static PeFile load(const std::string& path);  // throws Error

  uint16_t machine() const { return machine_; }
  bool is_pe32_plus() const { return pe32_plus_; }
  bool is_dll() const { return (characteristics_ & 0x2000) != 0; }
  uint16_t characteristics() const { return characteristics_; }
  uint64_t image_base() const { return image_base_; }
  const std::vector<Section>& sections() const { return sections_; }

  // File bytes backing [rva, rva + size); throws Error unless all of them are in the file.
  Bytes rva_bytes(uint32_t rva, uint32_t size) const;
  std::optional<uint32_t> rva_to_offset(uint32_t rva) const;

  const std::string& export_dll_name() const { return export_dll_name_; }
  const std::vector<Export>& exports() const { return exports_; }
  const Export* find_export(const std::string& name) const;

  const std::vector<ImportedDll>& imports() const { return imports_; }
  const ImportedDll* find_import(const std::string& dll) const;  // case-insensitive

  const std::vector<Symbol>& symbols() const { return symbols_; }
  // Takes the symbols of a stripped image from its debug file (objcopy
  // --only-keep-debug: the headers, the same section table and the symbols,
  // without the loadable sections' data). Throws Error unless the debug
  // file's machine and sections are this image's.
  void read_symbols_from(const std::string& debug_path);
  std::optional<uint32_t> symbol_rva(const Symbol& s) const;
  // N of a symbol "_<export_name>@<N>" at the export's RVA (i386 stdcall decoration).
  std::optional<uint32_t> stdcall_arg_bytes(const std::string& export_name) const;

  const std::vector<Resource>& resources() const { return resources_; }
  Bytes resource_bytes(const Resource& r) const { return rva_bytes(r.data_rva, r.size); }
  bool has_version_resource() const;

 private:
  struct Dir {
    uint32_t rva = 0, size = 0;
  };
  Bytes file_at(uint64_t off, uint64_t size, const char* what) const;
  Bytes region_at(uint64_t rva) const;
  Bytes at(uint64_t rva, uint64_t size, const char* what) const;
  std::string cstr_at(uint64_t rva, const char* what) const;
  Dir dir(size_t index) const { return index < dirs_.size() ? dirs_[index] : Dir{}; }

  PeFile() = default;
  void parse_headers();
  void parse_symbols(uint32_t pointer, uint32_t count);
  void parse_exports();
  void parse_imports();
  void parse_resource_dir(uint32_t base, uint64_t offset, int level, ResourceId path[2]);

  std::vector<uint8_t> data_;
  uint16_t machine_ = 0;
  uint16_t characteristics_ = 0;
  bool pe32_plus_ = false;
  uint64_t image_base_ = 0;
  uint32_t size_of_headers_ = 0;
  std::vector<Dir> dirs_;
  std::vector<Section> sections_;
  std::string export_dll_name_;
  std::vector<Export> exports_;
  std::vector<ImportedDll> imports_;
  std::vector<Symbol> symbols_;
  std::vector<Resource> resources_;
};

}  // namespace peinfo
