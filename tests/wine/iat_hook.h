// Replacing one imported function of a loaded DLL for the life of a test: the
// entry of the DLL's import address table that the DLL calls through is
// pointed at a test function, and put back afterwards. The DLL itself is not
// changed on disk, and nothing else in the process is affected.
//
//   fltest::ImportHook hook(module, "shell32.dll", "ShellExecuteA", reinterpret_cast<void*>(&Fake));
//   ASSERT_TRUE(hook.installed());
//   ... hook.original() is the real function ...
#ifndef FARELIB_TESTS_WINE_IAT_HOOK_H
#define FARELIB_TESTS_WINE_IAT_HOOK_H

#include <windows.h>

namespace fltest {

class ImportHook {
 public:
  ImportHook(HMODULE module, const char* dll, const char* function, void* replacement) {
    slot_ = FindSlot(module, dll, function);
    if (!slot_) return;
    original_ = reinterpret_cast<void*>(*slot_);
    Write(reinterpret_cast<ULONG_PTR>(replacement));
  }
  ~ImportHook() {
    if (slot_) Write(reinterpret_cast<ULONG_PTR>(original_));
  }
  ImportHook(const ImportHook&) = delete;
  ImportHook& operator=(const ImportHook&) = delete;

  bool installed() const { return slot_ != nullptr; }
  void* original() const { return original_; }

 private:
  // The import address table entry of dll!function in module, or null.
  static ULONG_PTR* FindSlot(HMODULE module, const char* dll, const char* function) {
    if (!module) return nullptr;
    auto* base = reinterpret_cast<BYTE*>(module);
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (dir.VirtualAddress == 0) return nullptr;
    for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); d->Name; ++d) {
      if (lstrcmpiA(reinterpret_cast<const char*>(base + d->Name), dll) != 0) continue;
      auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + (d->OriginalFirstThunk ? d->OriginalFirstThunk
                                                                                       : d->FirstThunk));
      auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
      for (; names->u1.AddressOfData; ++names, ++slots) {
        if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
        auto* by_name = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
        if (lstrcmpA(reinterpret_cast<const char*>(by_name->Name), function) == 0)
          return reinterpret_cast<ULONG_PTR*>(&slots->u1.Function);
      }
    }
    return nullptr;
  }
  void Write(ULONG_PTR value) {
    DWORD old;
    VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &old);
    *slot_ = value;
    VirtualProtect(slot_, sizeof *slot_, old, &old);
  }

  ULONG_PTR* slot_ = nullptr;
  void* original_ = nullptr;
};

}  // namespace fltest

#endif
