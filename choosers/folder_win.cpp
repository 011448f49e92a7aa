// Ze3FolderDlg (farelib4 only): the platform's folder browser with the
// library's fixed settings (chooser_requests.h).
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "choosers/chooser_requests.h"
#include "core/store_win.h"
#include "farelib.h"

#ifndef _WIN64
static_assert(sizeof(BROWSEINFOA) == farelib::kBrowseInfoSize32);
#endif
static_assert(farelib::kFolderFlags == (BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN));

// The chosen folder's path, or the empty string on cancel, on failure and for
// a folder without a file-system path.
extern "C" const char* WINAPI Ze3FolderDlg(HWND owner, const char* title) {
  using namespace farelib;
  char path[kFolderBufferBytes] = {};
  BROWSEINFOA bi;
  ZeroMemory(&bi, sizeof bi);
  bi.hwndOwner = owner;
  bi.lpszTitle = title;
  bi.ulFlags = kFolderFlags;
  PIDLIST_ABSOLUTE list = SHBrowseForFolderA(&bi);
  const bool has_path = list != nullptr && SHGetPathFromIDListA(list, path);
  CoTaskMemFree(list);  // null does nothing
  return g_strings.CreateCopy(path, ChosenTextLength(has_path, path, kFolderBufferBytes));
}
