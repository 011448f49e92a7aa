// pe_dump FILE...: prints what the ABI checks see of a PE image.
#include <cstdio>

#include "pe_file.h"

namespace {

void dump(const char* path) {
  const peinfo::PeFile pe = peinfo::PeFile::load(path);
  std::printf("%s\n  machine 0x%04x (%s), %s, %s, image base 0x%llx, characteristics 0x%04x\n", path, pe.machine(),
              pe.machine() == peinfo::kMachineI386    ? "i386"
              : pe.machine() == peinfo::kMachineAmd64 ? "x86_64"
                                                      : "other",
              pe.is_pe32_plus() ? "PE32+" : "PE32", pe.is_dll() ? "DLL" : "not a DLL",
              static_cast<unsigned long long>(pe.image_base()), pe.characteristics());

  std::printf("sections (%zu):\n  %-16s %10s %10s %10s %10s %10s\n", pe.sections().size(), "name", "rva",
              "vsize", "raw off", "raw size", "flags");
  for (const auto& s : pe.sections())
    std::printf("  %-16s 0x%08x 0x%08x 0x%08x 0x%08x 0x%08x\n", s.name.c_str(), s.rva, s.virtual_size,
                s.raw_offset, s.raw_size, s.characteristics);

  std::printf("exports of \"%s\" (%zu):\n", pe.export_dll_name().c_str(), pe.exports().size());
  for (const auto& e : pe.exports()) {
    std::printf("  %5u 0x%08x %s", e.ordinal, e.rva, e.name.empty() ? "(by ordinal)" : e.name.c_str());
    if (e.forwarder) std::printf(" -> %s", e.forwarded_to.c_str());
    if (auto n = pe.stdcall_arg_bytes(e.name)) std::printf("  [stdcall @%u]", *n);
    std::printf("\n");
  }

  std::printf("imports (%zu DLLs):\n", pe.imports().size());
  for (const auto& d : pe.imports()) {
    std::printf("  %s\n", d.name.c_str());
    for (const auto& f : d.functions) {
      if (f.by_ordinal)
        std::printf("    ordinal %u\n", f.ordinal);
      else
        std::printf("    %5u %s\n", f.hint, f.name.c_str());
    }
  }

  std::printf("resources (%zu), version resource: %s\n", pe.resources().size(),
              pe.has_version_resource() ? "yes" : "no");
  for (const auto& r : pe.resources())
    std::printf("  type %-10s name %-14s lang 0x%04x rva 0x%08x size %u\n", r.type.str().c_str(),
                r.name.str().c_str(), r.language, r.data_rva, r.size);

  std::printf("symbols (%zu):\n", pe.symbols().size());
  for (const auto& s : pe.symbols()) {
    std::printf("  sec %3d value 0x%08x class %3u ", s.section, s.value, s.storage_class);
    if (auto rva = pe.symbol_rva(s))
      std::printf("rva 0x%08x", *rva);
    else
      std::printf("%14s", "");
    std::printf(" %s\n", s.name.c_str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FILE...\n", argv[0]);
    return 2;
  }
  int status = 0;
  for (int i = 1; i < argc; ++i) {
    try {
      dump(argv[i]);
    } catch (const peinfo::Error& e) {
      std::fprintf(stderr, "%s: %s\n", argv[i], e.what());
      status = 1;
    }
  }
  return status;
}
