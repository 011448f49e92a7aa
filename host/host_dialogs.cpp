// The host's own small dialogs, from control tables like the library's: the
// byte string playground.
#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "dialogs/dialog_template.h"
#include "host/host.h"
#include "support/hex.h"

namespace farehost {

namespace {

enum : uint16_t { kText = 100, kStart, kCount, kRun, kResult };

using farelib::dlg::ControlClass;
constexpr uint16_t kNoId = 0xFFFF;  // the labels
constexpr uint32_t kItem = WS_CHILD | WS_VISIBLE;

constexpr farelib::dlg::DialogFrame kPlaygroundFrame = {
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFONT, 240, 128,
    u"バイト文字列の実験 (LenB_ASCII / MidB_ASCII)"};
// clang-format off
constexpr farelib::dlg::ControlRow kPlaygroundRows[] = {
    {kNoId,   ControlClass::Static, kItem | SS_LEFT,                                 6,   8,  40, 10, u"テキスト"},
    {kText,   ControlClass::Edit,   kItem | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 50,  6, 184, 13, u""},
    {kNoId,   ControlClass::Static, kItem | SS_LEFT,                                 6,  26,  40, 10, u"開始位置"},
    {kStart,  ControlClass::Edit,   kItem | WS_BORDER | WS_TABSTOP,                  50, 24,  36, 13, u""},
    {kNoId,   ControlClass::Static, kItem | SS_LEFT,                                 96, 26,  40, 10, u"バイト数"},
    {kCount,  ControlClass::Edit,   kItem | WS_BORDER | WS_TABSTOP,                  138, 24, 36, 13, u""},
    {kRun,    ControlClass::Button, kItem | WS_TABSTOP | BS_DEFPUSHBUTTON,           184, 23, 50, 15, u"実行"},
    {kResult, ControlClass::Edit,   kItem | WS_BORDER | ES_MULTILINE | ES_READONLY,  6,  44, 228, 58, u""},
    {IDOK,    ControlClass::Button, kItem | WS_TABSTOP | BS_PUSHBUTTON,              184, 108, 50, 15, u"閉じる"},
};
// clang-format on
constexpr auto kPlayground = FARELIB_DIALOG_TEMPLATE(kPlaygroundFrame, kPlaygroundRows);

void Run(HWND d) {
  wchar_t text[512], start[32], count[32];
  GetDlgItemTextW(d, kText, text, 512);
  GetDlgItemTextW(d, kStart, start, 32);
  GetDlgItemTextW(d, kCount, count, 32);
  std::string bytes = ToCp932(text);
  int32_t len = g_host.farelib.LenB_ASCII(bytes.c_str());
  int32_t s = _wtoi(start), c = _wtoi(count);
  const char* mid = g_host.farelib.MidB_ASCII(bytes.c_str(), s, c);
  int32_t mid_len = farelib_length(mid);
  wchar_t head[160];
  std::swprintf(head, 160, L"LenB_ASCII → %ld バイト\r\nMidB_ASCII(%ld, %ld) → %ld バイト: ", static_cast<long>(len),
                static_cast<long>(s), static_cast<long>(c), static_cast<long>(mid_len));
  std::wstring out = std::wstring(head) + L"「" + FromCp932(mid, mid_len) + L"」\r\n" + FromUtf8(support::Hex(mid, mid_len));
  SetDlgItemTextW(d, kResult, out.c_str());
  SetStatus(L"LenB_ASCII → " + std::to_wstring(len) + L", MidB_ASCII → " + std::to_wstring(mid_len) + L" バイト");
}

INT_PTR CALLBACK PlaygroundProc(HWND d, UINT msg, WPARAM wp, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG:
      SetDlgItemTextW(d, kText, L"運賃ABC");
      SetDlgItemTextW(d, kStart, L"2");
      SetDlgItemTextW(d, kCount, L"3");
      Run(d);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wp) == kRun) Run(d);
      if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) EndDialog(d, LOWORD(wp));
      return TRUE;
  }
  return FALSE;
}

}  // namespace

void ShowPlayground(HWND owner) {
  DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(kPlayground.data), owner,
                          PlaygroundProc, 0);
}

}  // namespace farehost
