// The board's menus and what each command calls: one export, what it wrote
// applied to the board, what came back in the status line. What the loaded
// library lacks is greyed out.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <optional>
#include <span>

#include "host/board_view.h"
#include "host/host.h"

namespace farehost {

namespace {

enum Command : UINT {
  kFileOpen = 100, kFileSave, kFolder, kExit,
  kDigitsFare = 200, kDigitsRoute, kDigitsStop, kFormat, kInfo, kColour, kDate,
  kPluginChoose = 300, kPluginInfo, kPluginCommentNone, kPluginComment1, kPluginComment2, kPluginComment3,
  kPluginCorp, kPluginDraw,
  kAbout1 = 400, kAbout2, kOsInfo, kHomePage, kSoundPage, kMail, kPlayground,
};

std::wstring Num(long v) { return std::to_wstring(v); }

}  // namespace

void EditDigits(HWND w, Part part) {
  Board& b = g_host.board;
  DigitSettings s = b.parts[static_cast<int>(part)];
  int32_t r = g_host.farelib.Call_dlg100(w, PartDigits(part), &s.zero_mode, &s.shift, &s.padding);
  ApplyDigitSettings(b, part, r, s);
  SetStatus(L"Call_dlg100 → " + Num(r) + (r == 1 ? L" (すべての部品に適用)" : L"") + L"  ゼロ表示 " +
            Num(s.zero_mode) + L", シフト " + Num(s.shift) + L", ゼロ埋め " + Num(s.padding));
}

namespace {

void EditFormat(HWND w) {
  Board& b = g_host.board;
  int16_t format = b.format_index, lz = b.leading_zero;
  int32_t r = g_host.farelib.Call_dlg101(w, b.cell_count, &format, &lz);
  ApplyTicketFormat(b, format, lz);
  SetStatus(L"Call_dlg101 → " + Num(r) + L"  表示形式 " + Num(format) + L", 10の位に0 " + Num(lz));
}

void EditInfo(HWND w) {
  Board& b = g_host.board;
  InfoNumberSettings rec = b.info;
  int32_t r = g_host.farelib.Call_dlg102(w, b.cell_count, &rec);
  bool changed = ApplyInfo(b, rec);
  SetStatus(L"Call_dlg102 → " + Num(r) + (changed ? L"  情報用数字を更新しました" : L"  変更なし"));
}

void EditColour(HWND w) {
  Board& b = g_host.board;
  COLORREF colour = b.led_colour;
  COLORREF custom[16];
  std::memcpy(custom, b.custom_colours, sizeof custom);
  int32_t r = g_host.farelib.Ze3ChooseColor(w, &colour, custom);
  ApplyColour(b, r, colour, reinterpret_cast<const uint32_t*>(custom));
  wchar_t hex[16];
  std::swprintf(hex, 16, L"0x%06lX", static_cast<unsigned long>(colour));
  SetStatus(L"Ze3ChooseColor → " + Num(r) + L"  " + hex);
}

void EditDate(HWND w) {
  SYSTEMTIME st = {};
  int32_t r = g_host.farelib.Call_dlg111(w, &st);
  ApplyDate(g_host.board, r, st.wYear, st.wMonth, st.wDay);
  SetStatus(L"Call_dlg111 → " + Num(r) + L"  " + Num(st.wYear) + L"/" + Num(st.wMonth) + L"/" + Num(st.wDay));
}

void ChooseFile(HWND w, int32_t save) {
  std::string filter = DataFilter();
  std::string title = ToCp932(save ? L"運賃データを保存" : L"運賃データを開く");
  const char* path = g_host.farelib.Ze3FileDlg(w, save, filter.c_str(), 0, title.c_str());
  SetStatus(std::wstring(L"Ze3FileDlg → \"") + FromCp932(path, farelib_length(path)) + L"\" (" +
            Num(farelib_length(path)) + L" バイト)");
}

void ChooseFolder(HWND w) {
  std::string title = ToCp932(L"運賃データのフォルダを選んでください");
  const char* path = g_host.farelib.Ze3FolderDlg(w, title.c_str());
  SetStatus(std::wstring(L"Ze3FolderDlg → \"") + FromCp932(path, farelib_length(path)) + L"\"");
}

void ShowAbout(HWND w, int32_t picture) {
  std::string text = AboutText();
  int32_t r = g_host.farelib.Call_dlg110(w, picture, text.c_str());
  SetStatus(L"Call_dlg110(" + Num(picture) + L") → " + Num(r));
}

void ShowLibraryText(HWND w, const wchar_t* name, decltype(&::VantrelHpURL) fn, bool open) {
  const char* text = fn();
  std::wstring value = FromCp932(text, farelib_length(text));
  SetStatus(std::wstring(name) + L" → \"" + value + L"\"");
  if (open) {
    if (MessageBoxW(w, (value + L"\n\n開きますか?").c_str(), name, MB_YESNO | MB_ICONQUESTION) == IDYES)
      ShellExecuteW(w, L"open", value.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  } else {
    Tell(w, std::wstring(name) + L":\n" + value);
  }
}

bool NeedPlugin(HWND w) {
  if (!g_host.plugin_path.empty()) return true;
  Tell(w, L"プラグインが選ばれていません。「プラグインを選ぶ」で DLL を選んでください。", MB_ICONWARNING);
  return false;
}

void ChoosePlugin(HWND w) {
  std::string filter = PluginFilter();
  std::string title = ToCp932(L"プラグインを選ぶ");
  const char* path = g_host.farelib.Ze3FileDlg(w, 0, filter.c_str(), 0, title.c_str());
  if (farelib_length(path) > 0) HoldPlugin(std::string(path, farelib_length(path)));
  SetStatus(L"プラグイン: " + FromCp932(g_host.plugin_path.c_str()));
}

void PluginInfoBox(HWND w) {
  if (!NeedPlugin(w)) return;
  PluginInfo info = {};
  int32_t r = g_host.farelib.ZE4_GetPlgInfo(g_host.plugin_path.c_str(), &info);
  std::wstring text = L"ZE4_GetPlgInfo → " + Num(r) + L"\n" + FromCp932(g_host.plugin_path.c_str()) + L"\n";
  for (int i = 0; i < FARE_PLUGIN_INFO_VALUES; ++i) {
    wchar_t line[48];
    std::swprintf(line, 48, L"\nvalue[%d] = %ld", i, static_cast<long>(info.value[i]));
    text += line;
  }
  SetStatus(L"ZE4_GetPlgInfo → " + Num(r));
  Tell(w, text);
}

void PluginCall(HWND w, UINT command) {
  if (!NeedPlugin(w)) return;
  const char* p = g_host.plugin_path.c_str();
  int32_t r = 0;
  std::wstring what;
  if (command >= kPluginCommentNone && command <= kPluginComment3) {
    // The sample plug-in's agreement: 0 none, 1 現金, 2 ICカード, 3 回数券.
    int32_t comment = static_cast<int32_t>(command - kPluginCommentNone);
    r = g_host.farelib.ZE4_SetPlgComment(p, comment);
    what = L"ZE4_SetPlgComment(" + Num(comment) + L")";
  } else if (command == kPluginCorp) {
    r = g_host.farelib.ZE4_SetCorpAddList(p, 123);  // the operator's number
    what = L"ZE4_SetCorpAddList(123)";
  } else {
    g_host.plugin_labels = !g_host.plugin_labels;
    CheckMenuItem(GetMenu(w), kPluginDraw, MF_BYCOMMAND | (g_host.plugin_labels ? MF_CHECKED : MF_UNCHECKED));
    SetStatus(g_host.plugin_labels ? L"整理券欄をプラグインが描きます (ZE4_DrawSeiriken)" : L"整理券欄をホストが描きます");
    return;
  }
  SetStatus(what + L" → " + Num(r));
}


// A menu item, and the export it calls: greyed out when the loaded library
// lacks it.
struct Item {
  UINT command;  // 0: a separator
  const wchar_t* text;
  std::optional<ExportId> needs;
};

void AddPopup(HMENU bar, const wchar_t* title, std::span<const Item> items) {
  HMENU popup = CreatePopupMenu();
  for (const Item& item : items) {
    if (!item.command) {
      AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const UINT grey = item.needs && !g_host.farelib.Has(*item.needs) ? MF_GRAYED : 0;
    AppendMenuW(popup, MF_STRING | grey, item.command, item.text);
  }
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), title);
}

}  // namespace

HMENU BuildMenu() {
  static const Item kFile[] = {
      {kFileOpen, L"運賃データを開く(&O)...\tZe3FileDlg", ExportId::Ze3FileDlg},
      {kFileSave, L"運賃データを保存(&S)...\tZe3FileDlg", ExportId::Ze3FileDlg},
      {kFolder, L"フォルダを選ぶ(&F)...\tZe3FolderDlg", ExportId::Ze3FolderDlg},
      {},
      {kExit, L"終了(&X)", {}},
  };
  static const Item kSettings[] = {
      {kFormat, L"整理券番号の設定(&T)...\tCall_dlg101", ExportId::Call_dlg101},
      {kInfo, L"情報用数字の設定(&I)...\tCall_dlg102", ExportId::Call_dlg102},
      {},
      {kDigitsFare, L"運賃表示のデジタル設定(&D)...\tCall_dlg100", ExportId::Call_dlg100},
      {kDigitsRoute, L"系統番号のデジタル設定(&R)...\tCall_dlg100", ExportId::Call_dlg100},
      {kDigitsStop, L"停留所数のデジタル設定(&P)...\tCall_dlg100", ExportId::Call_dlg100},
      {kColour, L"表示色(&C)...\tZe3ChooseColor", ExportId::Ze3ChooseColor},
      {},
      {kDate, L"運行日(&A)...\tCall_dlg111", ExportId::Call_dlg111},
  };
  static const Item kPlugin[] = {
      {kPluginChoose, L"プラグインを選ぶ(&S)...\tZe3FileDlg", ExportId::Ze3FileDlg},
      {},
      {kPluginInfo, L"プラグイン情報(&I)\tZE4_GetPlgInfo", ExportId::ZE4_GetPlgInfo},
      {kPluginCommentNone, L"添え書きなし(&0)\tZE4_SetPlgComment(0)", ExportId::ZE4_SetPlgComment},
      {kPluginComment1, L"添え書き「現金」(&1)\tZE4_SetPlgComment(1)", ExportId::ZE4_SetPlgComment},
      {kPluginComment2, L"添え書き「ICカード」(&2)\tZE4_SetPlgComment(2)", ExportId::ZE4_SetPlgComment},
      {kPluginComment3, L"添え書き「回数券」(&3)\tZE4_SetPlgComment(3)", ExportId::ZE4_SetPlgComment},
      {kPluginCorp, L"事業者番号 123 を渡す(&L)\tZE4_SetCorpAddList", ExportId::ZE4_SetCorpAddList},
      {},
      {kPluginDraw, L"整理券欄をプラグインで描く(&D)\tZE4_DrawSeiriken", ExportId::ZE4_DrawSeiriken},
  };
  static const Item kHelp[] = {
      {kAbout1, L"バージョン情報(&A)...\tCall_dlg110(1)", ExportId::Call_dlg110},
      {kAbout2, L"バージョン情報 (絵 2)(&B)...\tCall_dlg110(2)", ExportId::Call_dlg110},
      {},
      {kOsInfo, L"Windows のバージョン(&W)\tGetOsInfo", ExportId::GetOsInfo},
      {kHomePage, L"ホームページ(&H)\tVantrelHpURL", ExportId::VantrelHpURL},
      {kSoundPage, L"サウンドのページ(&N)\tVantrelHpSndURL", ExportId::VantrelHpSndURL},
      {kMail, L"メール(&M)\tVantrelMailAddress", ExportId::VantrelMailAddress},
      {},
      {kPlayground, L"バイト文字列の実験(&L)...\tLenB_ASCII / MidB_ASCII", ExportId::LenB_ASCII},
  };
  HMENU bar = CreateMenu();
  AddPopup(bar, L"ファイル(&F)", kFile);
  AddPopup(bar, L"設定(&S)", kSettings);
  AddPopup(bar, L"プラグイン(&P)", kPlugin);
  AddPopup(bar, L"ヘルプ(&H)", kHelp);
  // The playground calls MidB_ASCII as well.
  if (!g_host.farelib.Has(ExportId::MidB_ASCII)) EnableMenuItem(bar, kPlayground, MF_BYCOMMAND | MF_GRAYED);
  return bar;
}

void OnCommand(HWND w, UINT id) {
  switch (id) {
    case kFileOpen: ChooseFile(w, 0); break;
    case kFileSave: ChooseFile(w, 1); break;
    case kFolder: ChooseFolder(w); break;
    case kExit: DestroyWindow(w); break;
    case kDigitsFare: EditDigits(w, Part::Fare); break;
    case kDigitsRoute: EditDigits(w, Part::Route); break;
    case kDigitsStop: EditDigits(w, Part::Stop); break;
    case kFormat: EditFormat(w); break;
    case kInfo: EditInfo(w); break;
    case kColour: EditColour(w); break;
    case kDate: EditDate(w); break;
    case kPluginChoose: ChoosePlugin(w); break;
    case kPluginInfo: PluginInfoBox(w); break;
    case kPluginCommentNone:
    case kPluginComment1:
    case kPluginComment2:
    case kPluginComment3:
    case kPluginCorp:
    case kPluginDraw: PluginCall(w, id); break;
    case kAbout1: ShowAbout(w, 1); break;
    case kAbout2: ShowAbout(w, 2); break;
    case kOsInfo: ShowLibraryText(w, L"GetOsInfo", g_host.farelib.GetOsInfo, false); break;
    case kHomePage: ShowLibraryText(w, L"VantrelHpURL", g_host.farelib.VantrelHpURL, true); break;
    case kSoundPage: ShowLibraryText(w, L"VantrelHpSndURL", g_host.farelib.VantrelHpSndURL, true); break;
    case kMail: ShowLibraryText(w, L"VantrelMailAddress", g_host.farelib.VantrelMailAddress, true); break;
    case kPlayground: ShowPlayground(w); break;
  }
}

}  // namespace farehost
