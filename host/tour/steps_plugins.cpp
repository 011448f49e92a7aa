// The tour's calls of the plug-in bridge: a path that names nothing, then
// the sample plug-in, which the host holds loaded, told a comment and an
// operator and asked to draw a ticket label.
#include <cstring>
#include <string>

#include "host/tour/capture.h"
#include "host/tour/fixtures.h"
#include "host/tour/report.h"
#include "host/tour/steps.h"

namespace farehost::tour {

namespace {

constexpr char kNowhere[] = "no-such-plugin.dll";

// A ticket label drawn into a bitmap of the host's: the plug-in must have
// put ink on the white label.
void DrawTicket(const std::string& plugin) {
  const int w = 120, h = 48;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(mem, bmp);
  RECT all = {0, 0, w, h};
  FillRect(mem, &all, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  int32_t r = Dll().ZE4_DrawSeiriken(plugin.c_str(), static_cast<int32_t>(reinterpret_cast<intptr_t>(mem)), 0, 0, w, h,
                                   12, 1, 0x00010001 /* only the low 16 bits count: 1 */);
  int white = 0, dark = 0;
  for (int y = 0; y < h; y += 2)
    for (int x = 0; x < w; x += 2) {
      COLORREF c = GetPixel(mem, x, y);
      if (c == RGB(255, 255, 255))
        ++white;
      else if (GetRValue(c) < 96 && GetGValue(c) < 96 && GetBValue(c) < 96)
        ++dark;
    }
  const std::wstring path = ShotPath("plugin-ticket");
  bool pictured = !path.empty() && CaptureDc(mem, w, h, path);
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  // Under the null display driver a screen-compatible bitmap may hold no
  // pixels; the drawing is checked where pixels can be read back.
  bool readable = white + dark > 0;
  bool ok = r == 1 && (!readable || (white > 0 && dark > 0));
  Line(ok, "ZE4_DrawSeiriken(plugin, DC, 0, 0, 120, 48, 12, 1, 0x00010001)",
       Num(r) + (readable ? ", label drawn (" + Num(dark) + " dark samples)" : ""),
       pictured ? ShotName("plugin-ticket") : "");
}

}  // namespace

void Plugins() {
  const bool get_info = Present(ExportId::ZE4_GetPlgInfo), comment = Present(ExportId::ZE4_SetPlgComment),
             corporate = Present(ExportId::ZE4_SetCorpAddList), draw = Present(ExportId::ZE4_DrawSeiriken);
  if (!(get_info || comment || corporate || draw)) return;

  // A path that names nothing: 0, and the host's record untouched.
  if (get_info) {
    PluginInfo info;
    for (int i = 0; i < FARE_PLUGIN_INFO_VALUES; ++i) info.value[i] = 0x5A5A0000 + i;
    PluginInfo before = info;
    int32_t r = Dll().ZE4_GetPlgInfo(kNowhere, &info);
    bool ok = r == 0 && std::memcmp(&info, &before, sizeof info) == 0;
    Line(ok, "ZE4_GetPlgInfo(\"no-such-plugin.dll\", &info)", Num(r) + (ok ? ", record untouched" : ", record changed"));
  }
  std::string plugin;
  if (!FindPlugin(&plugin)) return;
  if (get_info) {
    PluginInfo info;
    std::memset(&info, 0xEE, sizeof info);
    int32_t r = Dll().ZE4_GetPlgInfo(plugin.c_str(), &info);
    std::string values;
    for (int i = 0; i < FARE_PLUGIN_INFO_VALUES; ++i) values += (i ? "," : "") + Num(info.value[i]);
    bool ok = r == 1 && info.value[0] == 1 && info.value[13] == 0;
    Line(ok, "ZE4_GetPlgInfo(plugin, &info)", Num(r) + ", values [" + values + "]",
         ok ? "" : "(expected 1, agreement version 1, unused values 0)");
  }
  if (comment) {
    int32_t r = Dll().ZE4_SetPlgComment(plugin.c_str(), 2);
    Line(r == 1, "ZE4_SetPlgComment(plugin, 2 = ICカード)", Num(r));
  }
  if (corporate) {
    int32_t r = Dll().ZE4_SetCorpAddList(plugin.c_str(), 123);
    Line(r == 1, "ZE4_SetCorpAddList(plugin, 123)", Num(r));
  }
  if (get_info && comment && corporate) {
    PluginInfo info = {};
    int32_t r = Dll().ZE4_GetPlgInfo(plugin.c_str(), &info);
    bool ok = r == 1 && info.value[4] == 2 && info.value[5] == 123;
    Line(ok, "ZE4_GetPlgInfo(plugin, &info) again",
         Num(r) + ", comment " + Num(info.value[4]) + ", operator " + Num(info.value[5]),
         ok ? "(kept while the host holds the plug-in)" : "(expected comment 2, operator 123)");
  }
  if (draw) {
    DrawTicket(plugin);
    int32_t r = Dll().ZE4_DrawSeiriken(kNowhere, 0, 0, 0, 0, 0, 0, 0, 0);
    Line(r == 0, "ZE4_DrawSeiriken(\"no-such-plugin.dll\", ...)", Num(r));
  }
}

}  // namespace farehost::tour
