// The tour's calls of the platform's choosers through the library: the file
// chooser (open, save, Cancel), the folder browser and the colour chooser.
#include <cstdio>
#include <cstring>
#include <string>

#include "host/tour/fixtures.h"
#include "host/tour/report.h"
#include "host/tour/steps.h"
#include "support/choosers.h"

namespace farehost::tour {

namespace {

bool SamePath(const char* a, const std::string& b) { return a && lstrcmpiA(a, b.c_str()) == 0; }

}  // namespace

void FileChooser() {
  if (!Present(ExportId::Ze3FileDlg)) return;
  const std::string dir = Folder();
  const std::string data = dir + "\\" + kDataFile, saved = dir + "\\" + kSavedFile;
  const std::string filter = DataFilter();
  char cwd_before[MAX_PATH], cwd_after[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, cwd_before);

  struct {
    int32_t save;
    const char* shot;
    const std::string* typed;  // null: Cancel
    const char8_t* title;
  } cases[] = {{0, "file-open", &data, u8"運賃データを開く"}, {1, "file-save", &saved, u8"運賃データを保存"},
               {0, nullptr, nullptr, u8"運賃データを開く"}};
  for (const auto& c : cases) {
    const std::string title = support::Cp932(c.title);
    const char* r = nullptr;
    DialogRun run = WithDialog(c.shot, [&](fldlg::Dialog& d) {
      if (c.typed) {
        d.SetText(fldlg::kFileNameBox, *c.typed);
        d.Click(IDOK);
      } else {
        d.Click(IDCANCEL);
      }
    }, [&] { r = Dll().Ze3FileDlg(BoardWindow(), c.save, filter.c_str(), 0x1234, title.c_str()); });
    GetCurrentDirectoryA(MAX_PATH, cwd_after);
    bool ok = run.shown && WellFormed(r) && (c.typed ? SamePath(r, *c.typed) : farelib_length(r) == 0) &&
              lstrcmpiA(cwd_before, cwd_after) == 0;
    std::string call = std::string("Ze3FileDlg(board, ") + (c.save ? "save" : "open") + ", filter, 0x1234, \"" +
                       reinterpret_cast<const char*>(c.title) + "\"); " +
                       (c.typed ? "type " + ToUtf8(FromCp932(c.typed->c_str())) + ", OK" : "Cancel");
    Line(ok, call, Shown(r), (ok ? "" : "expected that path (or \"\" on Cancel) and the same current folder; ") + run.seen);
  }
}

void FolderChooser() {
  if (!Present(ExportId::Ze3FolderDlg)) return;
  const std::string dir = Folder();
  const std::string title = support::Cp932(u8"運賃データのフォルダを選んでください");
  for (bool pick : {true, false}) {
    const char* r = nullptr;
    DialogRun run = WithDialog(pick ? "folder" : nullptr, [&](fldlg::Dialog& d) {
      if (pick) fldlg::PickFolder(d, dir);  // what it picked shows in the result
      d.Click(pick ? IDOK : IDCANCEL);
    }, [&] { r = Dll().Ze3FolderDlg(BoardWindow(), title.c_str()); });
    bool ok = run.shown && WellFormed(r) && (pick ? SamePath(r, dir) : farelib_length(r) == 0);
    Line(ok, std::string("Ze3FolderDlg(board, title); ") + (pick ? "select " + ToUtf8(FromCp932(dir.c_str())) + ", OK" : "Cancel"),
         Shown(r), (ok ? "" : "expected that folder (or \"\" on Cancel); ") + run.seen);
  }
}

void ColourChooser() {
  if (!Present(ExportId::Ze3ChooseColor)) return;
  COLORREF colour = g_host.board.led_colour;
  const COLORREF start = colour;
  COLORREF custom[16], custom_in[16];
  for (int i = 0; i < 16; ++i) custom[i] = custom_in[i] = RGB(16 * i, 255 - 16 * i, 128);
  int32_t r = -2;
  DialogRun run = WithDialog("colour", [&](fldlg::Dialog& d) {
    // A click on a basic colour: second row, second column of the swatches.
    RECT s;
    GetWindowRect(d.Control(fldlg::kBasicColours), &s);
    POINT p = {s.left + (s.right - s.left) * 3 / 16, s.top + (s.bottom - s.top) * 3 / 12};
    ScreenToClient(d.hwnd(), &p);
    PostMessageW(d.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    PostMessageW(d.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    d.Settle();
    d.Click(IDOK);
  }, [&] { r = Dll().Ze3ChooseColor(BoardWindow(), &colour, custom); });
  bool ok = run.shown && r == 1 && colour != start && std::memcmp(custom, custom_in, sizeof custom) == 0;
  char got[96];
  std::snprintf(got, sizeof got, "%d, colour 0x%06lX (was 0x%06lX), 16 custom colours written back", static_cast<int>(r),
                static_cast<unsigned long>(colour), static_cast<unsigned long>(start));
  Line(ok, "Ze3ChooseColor(board, &colour, custom[16]); click a swatch, OK", got,
       (ok ? "" : "expected 1 and the clicked colour; ") + run.seen);
  ApplyColour(g_host.board, r, colour, reinterpret_cast<const uint32_t*>(custom));

  COLORREF c2 = 0x00123456, cust2[16], cust2_in[16];
  for (int i = 0; i < 16; ++i) cust2[i] = cust2_in[i] = 0x00010101u * i;
  run = WithDialog(nullptr, [&](fldlg::Dialog& d) { d.PressKey(VK_ESCAPE); },
                   [&] { r = Dll().Ze3ChooseColor(BoardWindow(), &c2, cust2); });
  ok = run.shown && r == 0 && c2 == 0x00123456 && std::memcmp(cust2, cust2_in, sizeof cust2) == 0;
  Line(ok, "Ze3ChooseColor(board, &colour, custom[16]); Esc", Num(r) + (ok ? ", nothing written" : ", values changed"),
       (ok ? "" : "expected 0 and untouched values; ") + run.seen);
}

}  // namespace farehost::tour
