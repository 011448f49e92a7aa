// Ze3FileDlg and Ze3ChooseColor (both DLLs): the platform's file and colour
// choosers with the library's fixed settings (chooser_requests.h).
#include <windows.h>
#include <commdlg.h>

#include <cstddef>

#include "choosers/chooser_requests.h"
#include "core/store_win.h"
#include "farelib.h"

namespace farelib {
namespace {

// OPENFILENAMEA up to lpTemplateName: the record without the Windows 2000 fields.
constexpr DWORD kOpenFileNameSize = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR);
#ifndef _WIN64
static_assert(kOpenFileNameSize == kOpenFileNameSize32);
static_assert(sizeof(CHOOSECOLORA) == kChooseColorSize32);
#endif
static_assert(FileRequestFor(0).flags == (OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY));
static_assert(FileRequestFor(1).flags == (OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT));
static_assert(kColourFlags == CC_RGBINIT);

}  // namespace
}  // namespace farelib

// The chosen path, or the empty string on cancel or failure. The fourth
// argument is accepted and ignored. The path buffer is a library string of
// 260 zero bytes (256 declared), released before returning; if the heap
// cannot give one, no chooser is shown and the result is the empty string.
extern "C" const char* WINAPI Ze3FileDlg(HWND owner, int32_t save, const char* filter, int32_t /*ignored*/,
                                         const char* title) {
  using namespace farelib;
  const FileRequest request = FileRequestFor(save);
  TempString path(g_strings.Create(kFileBufferBytes));
  if (g_strings.IsFallback(path.get())) return g_strings.CreateEmpty();

  OPENFILENAMEA ofn;
  ZeroMemory(&ofn, sizeof ofn);
  ofn.lStructSize = kOpenFileNameSize;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter;
  ofn.lpstrFile = path.get();
  ofn.nMaxFile = request.max_file;
  ofn.nMaxFileTitle = request.max_file_title;
  ofn.lpstrTitle = title;
  ofn.Flags = request.flags;
  const BOOL confirmed = request.save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  return g_strings.CreateCopy(path.get(), ChosenTextLength(confirmed != FALSE, path.get(), kFileBufferBytes));
}

// 1 with the chosen colour and all 16 custom colours written back when the
// user confirms; 0 with nothing written otherwise. The chooser works on a
// copy of the custom colours. A null pointer gives 0 without a chooser.
extern "C" int32_t WINAPI Ze3ChooseColor(HWND owner, COLORREF* color, COLORREF* custom_colors) {
  using namespace farelib;
  if (color == nullptr || custom_colors == nullptr) return 0;
  return ChooseColourWith(color, custom_colors, [owner](ColourChoice<COLORREF>& choice) {
    CHOOSECOLORA cc;
    ZeroMemory(&cc, sizeof cc);
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner;
    cc.rgbResult = choice.colour;
    cc.lpCustColors = choice.custom;
    cc.Flags = kColourFlags;
    if (!ChooseColorA(&cc)) return false;
    choice.colour = cc.rgbResult;
    return true;
  });
}
