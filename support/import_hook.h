// Replaces a function that a loaded module imports, by rewriting its entry in
// the module's import address table, for the life of the object: the tests
// see exactly what a DLL hands the platform, without test hooks in the DLL.
//
//   support::ImportHook hook(module, "shell32.dll", "ShellExecuteA", reinterpret_cast<void*>(&Fake));
//   ASSERT_TRUE(hook.installed());
//   ... hook.original() is the real function ...
#ifndef FARELIB_SUPPORT_IMPORT_HOOK_H
#define FARELIB_SUPPORT_IMPORT_HOOK_H

#include <windows.h>

#include <cstring>

namespace support {

class ImportHook {
 public:
  // module: the importing module; dll: the exporting DLL's name (any case);
  // function: the imported name; replacement: a function of the same type.
  ImportHook(HMODULE module, const char* dll, const char* function, void* replacement) {
    slot_ = FindSlot(module, dll, function);
    if (slot_ != nullptr) {
      original_ = *slot_;
      Write(replacement);
    }
  }
  ~ImportHook() {
    if (slot_ != nullptr) Write(original_);
  }
  ImportHook(const ImportHook&) = delete;
  ImportHook& operator=(const ImportHook&) = delete;

  bool installed() const { return slot_ != nullptr; }
  void* original() const { return original_; }

 private:
  static void** FindSlot(HMODULE module, const char* dll, const char* function) {
    auto* base = reinterpret_cast<BYTE*>(module);
    if (base == nullptr) return nullptr;
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (dir.VirtualAddress == 0) return nullptr;
    for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); d->Name != 0; ++d) {
      if (lstrcmpiA(reinterpret_cast<const char*>(base + d->Name), dll) != 0) continue;
      auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + (d->OriginalFirstThunk ? d->OriginalFirstThunk
                                                                                       : d->FirstThunk));
      auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
      for (; names->u1.AddressOfData != 0; ++names, ++slots) {
        if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
        auto* by_name = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
        if (std::strcmp(reinterpret_cast<const char*>(by_name->Name), function) == 0)
          return reinterpret_cast<void**>(&slots->u1.Function);
      }
    }
    return nullptr;
  }
  void Write(void* value) {
    DWORD old;
    VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &old);
    *slot_ = value;
    VirtualProtect(slot_, sizeof *slot_, old, &old);
  }

  void** slot_ = nullptr;
  void* original_ = nullptr;
};

}  // namespace support

#endif
