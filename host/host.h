// The stand-in host: one fare-board window over one loaded library.
#ifndef FAREHOST_HOST_H
#define FAREHOST_HOST_H

#include <windows.h>

#include <string>

#include "host/board_model.h"
#include "support/farelib_loader.h"
#include "support/text.h"

namespace farehost {

// The library's narrow text is code page 932, the host's windows are
// UTF-16, the report is UTF-8: the shared converters.
using support::FromCp932;
using support::FromUtf8;
using support::ToCp932;
using support::ToUtf8;

using support::ExportId;

struct Host {
  support::Farelib farelib;
  Board board;
  HWND window = nullptr;
  std::string plugin_path;  // code page 932, as the bridge takes it
  HMODULE plugin_module = nullptr;  // the host's own hold on the plug-in
  bool plugin_labels = false;       // ticket labels drawn by the plug-in
  std::wstring status;
};
extern Host g_host;

HWND CreateBoardWindow(HINSTANCE instance);
void SetStatus(const std::wstring& text);
void RefreshBoard();
// Chooses the plug-in that the plug-in menu uses and holds it loaded.
void HoldPlugin(const std::string& path_cp932);

// Host-side dialogs (not the library's).
void ShowPlayground(HWND owner);
// A message box with the host's own caption.
void Tell(HWND owner, const std::wstring& text, UINT icon = MB_ICONINFORMATION);

// The About text that the host passes to Call_dlg110 (code page 932).
std::string AboutText();
// The filter lists that the host gives Ze3FileDlg (code page 932, double-NUL).
std::string DataFilter();
std::string PluginFilter();

// The window message that starts the tour once the board is shown, and the
// tour itself (tour/tour.cpp); it ends by closing the board window.
constexpr UINT kStartTour = WM_APP + 1;
void RunTour();

}  // namespace farehost

#endif
