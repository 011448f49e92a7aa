// The fare board as the window shows it: route and stop parts, the service
// date, the cells with their ticket labels and fares, and the status line.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "host/board_view.h"
#include "host/host.h"

namespace farehost {

namespace {

// Geometry of the board, in client pixels.
constexpr int kMargin = 12, kHeader = 64, kColumns = 5, kCellWidth = 150, kLabelHeight = 26,
              kValueHeight = 46, kCellGap = 8, kStatus = 26;

struct Fonts {
  HFONT label = nullptr, digits = nullptr, small = nullptr, header = nullptr;
} g_fonts;

std::vector<RECT> g_fare_rects;  // the value box of each cell
RECT g_route_rect, g_stop_rect;

HFONT MakeFont(int height, int weight, const wchar_t* face) {
  return CreateFontW(-height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     ANTIALIASED_QUALITY, DEFAULT_PITCH, face);
}

int Rows() { return (g_host.board.cell_count + kColumns - 1) / kColumns; }

void Text(HDC dc, const std::wstring& text, RECT r, UINT format) {
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format | DT_NOPREFIX);
}

// A digital part: each character in its own slot, lit in the LED colour,
// unlit slots as dim eights.
void DrawDigits(HDC dc, RECT box, const std::string& chars, COLORREF lit) {
  HBRUSH black = CreateSolidBrush(RGB(8, 8, 8));
  FillRect(dc, &box, black);
  DeleteObject(black);
  const int n = static_cast<int>(chars.size());
  if (n == 0) return;
  const int slot = (box.right - box.left - 8) / n;
  HGDIOBJ old = SelectObject(dc, g_fonts.digits);
  for (int i = 0; i < n; ++i) {
    RECT s = {box.right - 4 - (n - i) * slot, box.top + 2, box.right - 4 - (n - i - 1) * slot, box.bottom - 2};
    bool on = chars[i] != ' ';
    SetTextColor(dc, on ? lit : RGB(40, 36, 30));
    wchar_t c = on ? static_cast<wchar_t>(chars[i]) : L'8';
    DrawTextW(dc, &c, 1, &s, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  SelectObject(dc, old);
}

// A ticket cell's label drawn by the plug-in through the bridge. The number
// is the label's own number; a cell with a word (or plain) is a blank ticket.
bool DrawLabelByPlugin(HDC dc, const RECT& r, const std::string& label) {
  if (!g_host.farelib.ZE4_DrawSeiriken || g_host.plugin_path.empty()) return false;
  int number = -1;
  if (!label.empty() && label[0] >= '0' && label[0] <= '9') number = std::atoi(label.c_str());
  return g_host.farelib.ZE4_DrawSeiriken(g_host.plugin_path.c_str(), static_cast<int32_t>(reinterpret_cast<intptr_t>(dc)),
                                     r.left, r.top, r.right - r.left, r.bottom - r.top, number, 1, 0) == 1;
}


bool Inside(const RECT& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

}  // namespace

void CreateBoardFonts() {
  g_fonts.label = MakeFont(17, FW_BOLD, L"ＭＳ Ｐゴシック");
  g_fonts.header = MakeFont(18, FW_BOLD, L"ＭＳ Ｐゴシック");
  g_fonts.small = MakeFont(12, FW_NORMAL, L"ＭＳ Ｐゴシック");
  g_fonts.digits = MakeFont(36, FW_BOLD, L"ＭＳ ゴシック");
}

SIZE BoardClientSize() {
  SIZE s;
  s.cx = 2 * kMargin + kColumns * kCellWidth + (kColumns - 1) * kCellGap;
  s.cy = kHeader + Rows() * (kLabelHeight + kValueHeight + kCellGap) + kMargin + kStatus;
  return s;
}

void PaintBoard(HWND w, HDC dc) {
  const Board& b = g_host.board;
  RECT client;
  GetClientRect(w, &client);
  HBRUSH back = CreateSolidBrush(RGB(36, 40, 46));
  FillRect(dc, &client, back);
  DeleteObject(back);
  SetBkMode(dc, TRANSPARENT);
  const COLORREF led = static_cast<COLORREF>(b.led_colour);

  // Header: route and stop parts, the service date, the library.
  HGDIOBJ old = SelectObject(dc, g_fonts.header);
  SetTextColor(dc, RGB(230, 230, 230));
  Text(dc, L"系統", {kMargin, 14, kMargin + 44, 52}, DT_SINGLELINE | DT_VCENTER);
  g_route_rect = {kMargin + 46, 10, kMargin + 46 + 96, 56};
  Text(dc, L"停留所", {kMargin + 160, 14, kMargin + 226, 52}, DT_SINGLELINE | DT_VCENTER);
  g_stop_rect = {kMargin + 228, 10, kMargin + 228 + 70, 56};
  wchar_t date[64];
  if (b.year)
    std::swprintf(date, 64, L"運行日 %04d年%02d月%02d日", b.year, b.month, b.day);
  else
    std::swprintf(date, 64, L"運行日 未設定");
  Text(dc, date, {kMargin + 316, 14, kMargin + 560, 52}, DT_SINGLELINE | DT_VCENTER);
  SelectObject(dc, g_fonts.small);
  SetTextColor(dc, RGB(170, 170, 170));
  std::wstring lib = g_host.farelib.name + L"  " + std::to_wstring(g_host.farelib.Count()) + L" exports";
  Text(dc, lib, {client.right - 200, 14, client.right - kMargin, 52}, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
  DrawDigits(dc, g_route_rect, FormatDigits(true, b.data.route_number, 3, b.parts[1]), led);
  DrawDigits(dc, g_stop_rect, FormatDigits(true, b.data.stops_passed, 2, b.parts[2]), led);

  // The cells: ticket label above, fare (or information number) below.
  std::vector<Cell> cells = LayOut(b);
  g_fare_rects.assign(cells.size(), RECT{});
  HBRUSH label_brush = CreateSolidBrush(RGB(244, 244, 236));
  for (size_t i = 0; i < cells.size(); ++i) {
    int col = static_cast<int>(i) % kColumns, row = static_cast<int>(i) / kColumns;
    int x = kMargin + col * (kCellWidth + kCellGap);
    int y = kHeader + row * (kLabelHeight + kValueHeight + kCellGap);
    RECT label = {x, y, x + kCellWidth, y + kLabelHeight};
    FillRect(dc, &label, label_brush);
    if (!(g_host.plugin_labels && DrawLabelByPlugin(dc, label, cells[i].label))) {
      SelectObject(dc, g_fonts.label);
      SetTextColor(dc, RGB(16, 16, 16));
      Text(dc, FromUtf8(cells[i].label), label, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    RECT value = {x, y + kLabelHeight, x + kCellWidth, y + kLabelHeight + kValueHeight};
    g_fare_rects[i] = value;
    DrawDigits(dc, value, cells[i].value, led);
    SelectObject(dc, g_fonts.small);
    if (cells[i].info) {
      SetTextColor(dc, RGB(150, 190, 255));
      Text(dc, FromUtf8(cells[i].info), {x + 4, value.top + 1, x + kCellWidth, value.top + 16}, DT_SINGLELINE);
    } else {
      SetTextColor(dc, RGB(120, 120, 120));
      Text(dc, L"円", {x, value.bottom - 16, x + kCellWidth - 3, value.bottom}, DT_SINGLELINE | DT_RIGHT);
    }
  }
  DeleteObject(label_brush);

  // Status line: what the last call returned.
  SelectObject(dc, g_fonts.small);
  SetTextColor(dc, RGB(200, 200, 200));
  Text(dc, g_host.status, {kMargin, client.bottom - kStatus, client.right - kMargin, client.bottom},
       DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
  SelectObject(dc, old);
}

bool DigitalPartAt(int x, int y, Part* part) {
  if (Inside(g_route_rect, x, y)) {
    *part = Part::Route;
    return true;
  }
  if (Inside(g_stop_rect, x, y)) {
    *part = Part::Stop;
    return true;
  }
  for (const RECT& r : g_fare_rects)
    if (Inside(r, x, y)) {
      *part = Part::Fare;
      return true;
    }
  return false;
}

}  // namespace farehost
