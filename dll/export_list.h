// Every export of farelib4.dll, with the bytes of arguments that it removes
// from the stack on i686 and whether farelib3.dll exports it too:
//
//   X(name, argument bytes, in farelib3)
//
// This list is the one home of the export tables: the build writes both .def
// files from it (dll/CMakeLists.txt reads the rows below, one per line, as
// they are written), the DLLs are linked from those and the package ships
// them; the stand-in host resolves, counts and greys out its menus by it, and
// the ABI tests check the built DLLs against it. No <windows.h>: the native
// ABI tests use it too.
#ifndef FARELIB_DLL_EXPORT_LIST_H
#define FARELIB_DLL_EXPORT_LIST_H

#define FARELIB_EXPORT_LIST(X)     \
  X(Call_dlg100, 20, true)         \
  X(Call_dlg101, 16, true)         \
  X(Call_dlg102, 12, true)         \
  X(Call_dlg110, 12, true)         \
  X(Call_dlg111, 8, false)         \
  X(DllMain, 12, true)             \
  X(GetOsInfo, 0, false)           \
  X(LenB_ASCII, 4, true)           \
  X(MidB_ASCII, 12, true)          \
  X(VantrelHpSndURL, 0, false)     \
  X(VantrelHpURL, 0, true)         \
  X(VantrelMailAddress, 0, true)   \
  X(ZE4_DrawSeiriken, 36, false)   \
  X(ZE4_GetPlgInfo, 8, false)      \
  X(ZE4_SetCorpAddList, 8, false)  \
  X(ZE4_SetPlgComment, 8, false)   \
  X(Ze3ChooseColor, 12, true)      \
  X(Ze3FileDlg, 20, true)          \
  X(Ze3FolderDlg, 8, false)

// Exports that no import library carries (PRIVATE in the .def files): both
// DLLs export DllMain, but a host DLL without a DllMain of its own must not
// bind the library's, which would then record the host DLL as its module.
#define FARELIB_PRIVATE_EXPORTS(X) X(DllMain)

namespace support {

enum class ExportId {
#define FARELIB_EXPORT_ID(name, arg_bytes, in_farelib3) name,
  FARELIB_EXPORT_LIST(FARELIB_EXPORT_ID)
#undef FARELIB_EXPORT_ID
};

struct ExportRow {
  const char* name;
  unsigned arg_bytes;  // what the callee removes from the stack on i686
  bool in_farelib3;
};

inline constexpr ExportRow kExports[] = {
#define FARELIB_EXPORT_ROW(name, arg_bytes, in_farelib3) {#name, arg_bytes, in_farelib3},
    FARELIB_EXPORT_LIST(FARELIB_EXPORT_ROW)
#undef FARELIB_EXPORT_ROW
};

constexpr const ExportRow& Row(ExportId id) { return kExports[static_cast<int>(id)]; }

// Whether the DLL (farelib3 or farelib4) exports `row`.
constexpr bool InDll(const ExportRow& row, bool farelib3) { return !farelib3 || row.in_farelib3; }

// How many exports the DLL has.
constexpr int ExportCount(bool farelib3) {
  int n = 0;
  for (const ExportRow& row : kExports) n += InDll(row, farelib3) ? 1 : 0;
  return n;
}

}  // namespace support

#endif
