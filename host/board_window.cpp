// The fare board window: the host's one window, its painting done off
// screen, double-clicks on digital parts, menus, and the tour's start.
#include <windows.h>

#include "host/board_view.h"
#include "host/host.h"

namespace farehost {

Host g_host;

namespace {

LRESULT CALLBACK BoardProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(w, &ps);
      // Drawn off screen first, so the board does not flicker.
      RECT c;
      GetClientRect(w, &c);
      HDC mem = CreateCompatibleDC(dc);
      HBITMAP bmp = CreateCompatibleBitmap(dc, c.right, c.bottom);
      HGDIOBJ old = SelectObject(mem, bmp);
      PaintBoard(w, mem);
      BitBlt(dc, 0, 0, c.right, c.bottom, mem, 0, 0, SRCCOPY);
      SelectObject(mem, old);
      DeleteObject(bmp);
      DeleteDC(mem);
      EndPaint(w, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_LBUTTONDBLCLK: {
      Part part;
      if (g_host.farelib.Call_dlg100 && DigitalPartAt(static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)), &part))
        EditDigits(w, part);
      return 0;
    }
    case WM_COMMAND:
      OnCommand(w, LOWORD(wp));
      return 0;
    case kStartTour:
      RunTour();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(w, msg, wp, lp);
}

}  // namespace

void SetStatus(const std::wstring& text) {
  g_host.status = text;
  RefreshBoard();
}

void RefreshBoard() {
  if (g_host.window) InvalidateRect(g_host.window, nullptr, FALSE);
}

void Tell(HWND owner, const std::wstring& text, UINT icon) {
  MessageBoxW(owner, text.c_str(), L"運賃表示器 (farelib ホスト)", MB_OK | icon);
}

void HoldPlugin(const std::string& path) {
  if (g_host.plugin_module) FreeLibrary(g_host.plugin_module);
  g_host.plugin_path = path;
  // The host holds the plug-in loaded, so that what it was told survives the
  // bridge's load and free around every call.
  g_host.plugin_module = path.empty() ? nullptr : LoadLibraryA(path.c_str());
}

std::string AboutText() {
  return ToCp932(L"運賃表示器 1.0 (farelib の試験用ホスト)\r\n\r\n整理券番号と運賃、\r\n情報用数字を表示します。\r\n\r\n"
                 L"ライブラリ: " + g_host.farelib.name);
}

std::string DataFilter() {
  std::string f = ToCp932(L"運賃データ (*.csv)");
  f.push_back('\0');
  f += "*.csv";
  f.push_back('\0');
  f += ToCp932(L"すべてのファイル (*.*)");
  f.push_back('\0');
  f += "*.*";
  f.push_back('\0');
  f.push_back('\0');
  return f;
}

std::string PluginFilter() {
  std::string f = ToCp932(L"プラグイン (*.dll)");
  f.push_back('\0');
  f += "*.dll";
  f.push_back('\0');
  f.push_back('\0');
  return f;
}


HWND CreateBoardWindow(HINSTANCE instance) {
  CreateBoardFonts();

  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = BoardProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
  wc.lpszClassName = L"FarehostBoard";
  RegisterClassExW(&wc);

  SIZE s = BoardClientSize();
  RECT r = {0, 0, s.cx, s.cy};
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  AdjustWindowRect(&r, style, TRUE);
  std::wstring title = L"運賃表示器 - " + g_host.farelib.name;
  g_host.window = CreateWindowExW(0, wc.lpszClassName, title.c_str(), style, 0, 0, r.right - r.left,
                                  r.bottom - r.top, nullptr, BuildMenu(), instance, nullptr);
  return g_host.window;
}

}  // namespace farehost
