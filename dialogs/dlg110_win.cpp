// Call_dlg110: the About box, in both DLLs. One of the two pictures, the
// host's text in a read-only box, a button that opens the maker's homepage,
// and OK.
#include <windows.h>
#include <shellapi.h>

#include "core/store_win.h"
#include "dialogs/about_date.h"
#include "dialogs/dialog_frame_win.h"
#include "farelib.h"

namespace farelib::dlg {
namespace {

struct AboutDialog {
  char* text;              // the host's text as last passed (library copy); null before the first call
  std::int32_t selector;   // as last passed
};
AboutDialog g_dlg110;

// The picture belongs to the dialog window that loaded it (kept in the
// window's DWLP_USER slot), so that each opening releases its own bitmap
// exactly once, on OK or when the window is destroyed, even if a second About
// box opens while the first is still up.
void ReleasePicture(HWND dialog) {
  HGDIOBJ bitmap = reinterpret_cast<HGDIOBJ>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (!bitmap) return;
  SetWindowLongPtrA(dialog, DWLP_USER, 0);
  DeleteObject(bitmap);
}

void OpenHomepage(HWND dialog) {
  const char* url = VantrelHpURL();
  // An empty text is a homepage the heap could not give: the shell would
  // open something else for an empty name, so nothing is opened then.
  if (StringStore::Length(url) > 0)
    ShellExecuteA(dialog, "open", url, "", "", SW_SHOWNORMAL);  // result ignored: the dialog stays open
  if (kAboutReleasesHomepageText) g_strings.Release(url);
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: {
      // The pictures are the library's own resources: the dialog's instance.
      HINSTANCE module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
      HANDLE bitmap = LoadImageA(module, MAKEINTRESOURCEA(AboutBitmapId(g_dlg110.selector)), IMAGE_BITMAP, 0, 0,
                                 LR_DEFAULTSIZE);
      SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(bitmap));
      // The control shows the bitmap without owning it.
      SendMessageA(GetDlgItem(dialog, kAboutPicture), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
      SetDlgItemTextA(dialog, kAboutText, g_dlg110.text);
      break;
    }
    case WM_COMMAND:
      switch (wparam & 0xFFFF) {
        case kOkButton:
          ReleasePicture(dialog);
          EndDialog(dialog, 1);
          break;
        case kAboutLinkButton:
          OpenHomepage(dialog);
          break;
        default:  // Esc (command 2) and everything else: the dialog stays open
          break;
      }
      break;
    case WM_DESTROY:
      ReleasePicture(dialog);
      break;
  }
  return 0;
}

}  // namespace
}  // namespace farelib::dlg

extern "C" int32_t WINAPI Call_dlg110(HWND owner, int32_t picture, const char* text) {
  using namespace farelib::dlg;
  char* copy = farelib::CopyHostText(text);
  farelib::g_strings.Release(g_dlg110.text);
  g_dlg110.text = copy;
  g_dlg110.selector = picture;
  return static_cast<int32_t>(RunDialog(kAboutTemplate, owner, AboutProc));
}
