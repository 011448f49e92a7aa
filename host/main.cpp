// farehost: a stand-in for the host application of farelib4.dll and
// farelib3.dll. It shows a fare board and reaches every export of the
// library it loads through the board's menus and double-clicks.
//
//   farehost [--farelib3 | --dll PATH] [--plugin PATH]
//            [--tour [--check] [--shots FOLDER]]
#include <windows.h>
#include <commctrl.h>

#include <cwchar>

#include "host/host.h"
#include "host/tour/tour.h"
#include "support/library.h"

using namespace farehost;

namespace {

void Usage() {
  Out("usage: farehost [--farelib3 | --dll PATH] [--plugin PATH]");
  Out("                [--tour [--check] [--shots FOLDER]]");
  Out("  --farelib3       load farelib3.dll beside the program (default: farelib4.dll)");
  Out("  --dll PATH       load the library at PATH");
  Out("  --plugin PATH    the plug-in that the plug-in menu and the tour use");
  Out("  --tour           call every export in turn, close each dialog, report the results");
  Out("  --check          with --tour: exit with 1 if any result is unexpected");
  Out("  --shots FOLDER   with --tour: write a BMP picture of every dialog and of the board");
}

// The sample plug-in, where the build puts it beside the program; empty when
// it is not there.
std::wstring DefaultPlugin() {
  std::wstring p = support::ProgramFolder() + L"sample_plugin.dll";
  return GetFileAttributesW(p.c_str()) != INVALID_FILE_ATTRIBUTES ? p : std::wstring();
}

std::wstring Full(const std::wstring& path) {
  wchar_t buffer[MAX_PATH];
  DWORD n = GetFullPathNameW(path.c_str(), MAX_PATH, buffer, nullptr);
  return n > 0 && n < MAX_PATH ? std::wstring(buffer, n) : path;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::wstring dll = support::ProgramFolder() + L"farelib4.dll";
  g_tour.plugin = DefaultPlugin();
  for (int i = 1; i < argc; ++i) {
    std::wstring a = argv[i];
    if (a == L"--farelib3") {
      dll = support::ProgramFolder() + L"farelib3.dll";
    } else if (a == L"--dll" && i + 1 < argc) {
      dll = Full(argv[++i]);
    } else if (a == L"--plugin" && i + 1 < argc) {
      g_tour.plugin = Full(argv[++i]);
    } else if (a == L"--tour") {
      g_tour.enabled = true;
    } else if (a == L"--check") {
      g_tour.check = true;
    } else if (a == L"--shots" && i + 1 < argc) {
      g_tour.shots = Full(argv[++i]);
      CreateDirectoryW(g_tour.shots.c_str(), nullptr);
    } else {
      Usage();
      return 2;
    }
  }

  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);

  if (!g_host.farelib.Load(dll)) {
    std::wstring msg = L"cannot load " + dll + L" (error " + std::to_wstring(g_host.farelib.load_error) + L")";
    Out(ToUtf8(msg));
    if (!g_tour.enabled) MessageBoxW(nullptr, msg.c_str(), L"farehost", MB_OK | MB_ICONERROR);
    return 2;
  }

  if (!g_tour.plugin.empty() && g_host.farelib.ZE4_GetPlgInfo) HoldPlugin(ToCp932(g_tour.plugin));
  HWND board = CreateBoardWindow(GetModuleHandleW(nullptr));
  if (!board) {
    Out("cannot create the board window");
    return 2;
  }
  ShowWindow(board, SW_SHOWNORMAL);
  UpdateWindow(board);
  SetStatus(g_host.farelib.name + L" を読み込みました (" + std::to_wstring(g_host.farelib.Count()) +
            L" 個のエクスポート)。デジタル部品をダブルクリックすると設定できます。");
  if (g_tour.enabled) PostMessageW(board, kStartTour, 0, 0);

  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  return g_tour.exit_code;
}
