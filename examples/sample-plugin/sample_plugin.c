/* sample_plugin: a plug-in for the farelib4 bridge that draws numbered
   boarding-ticket labels (整理券) into the host's device context. What its
   values mean is this plug-in's agreement with its host: see README.md. */
#include <windows.h>

#include <stdint.h>

#include "fareplugin.h"

enum {
  kAgreementVersion = 1,
  kDrawsTickets = 1,     /* capability bits, PluginInfo value 1 */
  kTakesComment = 2,
  kTakesOperator = 4,
  kPreferredWidth = 120, /* pixels */
  kPreferredHeight = 48,
};

enum { kStylePlain = 0, kStyleFramed = 1, kStyleInverted = 2 };

/* What SetPlgComment and SetCorpAddList handed over. The bridge unloads the
   plug-in after every call, so these survive to a DrawSeiriken only while
   the host holds the plug-in loaded itself. */
static int32_t g_comment;
static int32_t g_operator;

static const wchar_t* const kComments[] = {
    NULL,
    L"現金",      /* 1: cash */
    L"ICカード",  /* 2: IC card */
    L"回数券",    /* 3: coupon ticket */
};

int32_t FARE_STDCALL GetPlgInfo(PluginInfo* info) {
  info->value[0] = kAgreementVersion;
  info->value[1] = kDrawsTickets | kTakesComment | kTakesOperator;
  info->value[2] = kPreferredWidth;
  info->value[3] = kPreferredHeight;
  info->value[4] = g_comment;
  info->value[5] = g_operator;
  return 1;
}

int32_t FARE_STDCALL SetPlgComment(int32_t comment) {
  g_comment = comment >= 0 && comment < (int32_t)(sizeof kComments / sizeof kComments[0]) ? comment : 0;
  return 1;
}

int32_t FARE_STDCALL SetCorpAddList(int32_t operator_number) {
  g_operator = operator_number >= 0 && operator_number <= 9999 ? operator_number : 0;
  return 1;
}

/* Text in a band of the label, centred, in a font `height` pixels tall. */
static void DrawBand(HDC dc, RECT band, int height, const wchar_t* text, int length, UINT align) {
  HFONT font = CreateFontW(-height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"MS UI Gothic");
  HGDIOBJ old = SelectObject(dc, font);
  DrawTextW(dc, text, length, &band, align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
  DeleteObject(font);
}

/* DrawSeiriken(dc, left, top, width, height, number, style, with_comment):
   draws the label of ticket `number` into the rectangle; the device context
   is left as it was found. */
int32_t FARE_STDCALL DrawSeiriken(int32_t dc_value, int32_t left, int32_t top, int32_t width, int32_t height,
                                  int32_t number, int32_t style, int32_t with_comment) {
  HDC dc = FARE_HANDLE(HDC, dc_value);
  if (dc == NULL || width <= 0 || height <= 0) return 0;
  RECT r = {left, top, left + width, top + height};
  const int inverted = style == kStyleInverted;
  const COLORREF ink = inverted ? RGB(255, 255, 255) : RGB(0, 0, 0);
  const COLORREF paper = inverted ? RGB(0, 0, 0) : RGB(255, 255, 255);

  int saved = SaveDC(dc);
  HBRUSH fill = CreateSolidBrush(paper);
  FillRect(dc, &r, fill);
  DeleteObject(fill);
  if (style == kStyleFramed) {
    HBRUSH frame = CreateSolidBrush(ink);
    FrameRect(dc, &r, frame);
    DeleteObject(frame);
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ink);

  /* "整理券 12" in the upper two thirds (or the whole label without a
     comment); a negative number is a blank ticket: the caption alone. */
  const int comment_shown = with_comment != 0 && g_comment != 0;
  RECT main_band = r;
  if (comment_shown) main_band.bottom = top + height * 2 / 3;
  wchar_t label[32] = L"整理券";
  int n = 3;
  if (number >= 0) n = wsprintfW(label, L"整理券 %d", (int)number);
  DrawBand(dc, main_band, (main_band.bottom - main_band.top) / 2, label, n, DT_CENTER);

  if (comment_shown) {
    RECT comment_band = {left, main_band.bottom, left + width, top + height};
    DrawBand(dc, comment_band, (comment_band.bottom - comment_band.top) * 2 / 3, kComments[g_comment], -1,
             DT_CENTER);
  }
  if (g_operator != 0) {
    wchar_t op[8];
    int m = wsprintfW(op, L"%d", (int)g_operator);
    RECT corner = {left, top, left + width - 2, top + height / 4 + 2};
    DrawBand(dc, corner, height / 5 > 6 ? height / 5 : 6, op, m, DT_RIGHT);
  }
  RestoreDC(dc, saved);
  return 1;
}
