// The host's own small dialogs, built in memory: the byte string playground.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "host/host.h"
#include "support/hex.h"

namespace farehost {

namespace {

// A plain in-memory dialog template (UTF-16 texts, DS_SETFONT).
class TemplateBuilder {
 public:
  TemplateBuilder(const wchar_t* title, short cx, short cy, DWORD style) {
    Dword(style | DS_SETFONT);
    Dword(0);
    count_at_ = bytes_.size();
    Word(0);
    Word(0), Word(0), Word(static_cast<uint16_t>(cx)), Word(static_cast<uint16_t>(cy));
    Word(0), Word(0);
    Text(title);
    Word(9);
    Text(L"ＭＳ Ｐゴシック");
  }
  void Add(uint16_t atom, uint16_t id, DWORD style, short x, short y, short cx, short cy, const wchar_t* text) {
    while (bytes_.size() % 4) bytes_.push_back(0);
    Dword(style | WS_CHILD | WS_VISIBLE);
    Dword(0);
    Word(static_cast<uint16_t>(x)), Word(static_cast<uint16_t>(y));
    Word(static_cast<uint16_t>(cx)), Word(static_cast<uint16_t>(cy));
    Word(id);
    Word(0xFFFF), Word(atom);
    Text(text);
    Word(0);
    uint16_t n = static_cast<uint16_t>(bytes_[count_at_] | (bytes_[count_at_ + 1] << 8)) + 1;
    bytes_[count_at_] = static_cast<uint8_t>(n), bytes_[count_at_ + 1] = static_cast<uint8_t>(n >> 8);
  }
  const DLGTEMPLATE* get() {
    // DialogBoxIndirect needs DWORD alignment: copy into a DWORD buffer.
    aligned_.assign((bytes_.size() + 3) / 4, 0);
    memcpy(aligned_.data(), bytes_.data(), bytes_.size());
    return reinterpret_cast<const DLGTEMPLATE*>(aligned_.data());
  }

 private:
  void Word(uint16_t v) { bytes_.push_back(static_cast<uint8_t>(v)), bytes_.push_back(static_cast<uint8_t>(v >> 8)); }
  void Dword(uint32_t v) { Word(static_cast<uint16_t>(v)), Word(static_cast<uint16_t>(v >> 16)); }
  void Text(const wchar_t* t) {
    for (; *t; ++t) Word(static_cast<uint16_t>(*t));
    Word(0);
  }
  std::vector<uint8_t> bytes_;
  std::vector<uint32_t> aligned_;
  size_t count_at_ = 0;
};

constexpr uint16_t kButton = 0x80, kEdit = 0x81, kStatic = 0x82;
enum : uint16_t { kText = 100, kStart, kCount, kRun, kResult };

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
  TemplateBuilder t(L"バイト文字列の実験 (LenB_ASCII / MidB_ASCII)", 240, 128,
                    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER);
  t.Add(kStatic, 0xFFFF, SS_LEFT, 6, 8, 40, 10, L"テキスト");
  t.Add(kEdit, kText, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 50, 6, 184, 13, L"");
  t.Add(kStatic, 0xFFFF, SS_LEFT, 6, 26, 40, 10, L"開始位置");
  t.Add(kEdit, kStart, WS_BORDER | WS_TABSTOP, 50, 24, 36, 13, L"");
  t.Add(kStatic, 0xFFFF, SS_LEFT, 96, 26, 40, 10, L"バイト数");
  t.Add(kEdit, kCount, WS_BORDER | WS_TABSTOP, 138, 24, 36, 13, L"");
  t.Add(kButton, kRun, WS_TABSTOP | BS_DEFPUSHBUTTON, 184, 23, 50, 15, L"実行");
  t.Add(kEdit, kResult, WS_BORDER | ES_MULTILINE | ES_READONLY, 6, 44, 228, 58, L"");
  t.Add(kButton, IDOK, WS_TABSTOP | BS_PUSHBUTTON, 184, 108, 50, 15, L"閉じる");
  DialogBoxIndirectParamW(GetModuleHandleW(nullptr), t.get(), owner, PlaygroundProc, 0);
}

}  // namespace farehost
