// The tour's calls of the library's own dialogs: the three settings dialogs,
// About and the date picker, each once as the board uses it (with its
// picture) and once closed another way.
#include <cstdio>
#include <cstring>
#include <string>

#include "dialogs/control_ids.h"
#include "host/tour/fixtures.h"
#include "host/tour/report.h"
#include "host/tour/steps.h"

namespace farehost::tour {

namespace dlg = farelib::dlg;

namespace {

// Presses `vk` (Esc, for the dialogs that have no Cancel) and tells whether
// the dialog is still open.
bool StaysOpenAfter(fldlg::Dialog& d, UINT vk) {
  d.PressKey(vk);
  return d.IsOpen();
}

std::string Fields(const InfoNumberSettings& x) {
  const int16_t* f = reinterpret_cast<const int16_t*>(&x);
  std::string s = "[";
  for (int i = 0; i < 10; ++i) s += (i ? "," : "") + Num(f[i]);
  return s + "]";
}

std::string Date(int32_t r, const SYSTEMTIME& st) {
  char got[64];
  std::snprintf(got, sizeof got, "%d, wrote %04u-%02u-%02u", static_cast<int>(r), st.wYear, st.wMonth, st.wDay);
  return got;
}

}  // namespace

void DigitalDisplay() {
  if (!Present(ExportId::Call_dlg100)) return;
  // A five-digit part showing mode 2, shift 3, padding 4.
  int16_t zero = 2, shift = 3, pad = 4;
  int32_t r = -2;
  bool esc_ignored = false;
  DialogRun run = WithDialog("dlg100", [&](fldlg::Dialog& d) {
    esc_ignored = StaysOpenAfter(d, VK_ESCAPE);  // this dialog has no Cancel
    d.Select(dlg::kDigitShiftCombo, 0);         // shift: 0桁
    d.Select(dlg::kZeroPaddingCombo, 0);        // zero padding: 0桁
    d.Click(dlg::kApplyToAllCheck);             // apply to all digital parts
    d.Click(IDOK);
  }, [&] { r = Dll().Call_dlg100(BoardWindow(), 5, &zero, &shift, &pad); });
  bool ok = run.shown && esc_ignored && r == 1 && zero == 2 && shift == 0 && pad == 0;
  Line(ok, "Call_dlg100(board, 5 digits, [2,3,4]); Esc, shift 0桁, padding 0桁, apply to all, OK",
       Num(r) + ", wrote [" + Num(zero) + "," + Num(shift) + "," + Num(pad) + "]",
       (ok ? "" : "expected 1, [2,0,0], Esc ignored; ") + run.seen);
  DigitSettings s;
  s.zero_mode = zero, s.shift = shift, s.padding = pad;
  ApplyDigitSettings(g_host.board, Part::Fare, r, s);

  // The fare part's own settings, OK without the box: applies to that part.
  DigitSettings f = g_host.board.parts[0];
  f.zero_mode = 1;
  int16_t z2 = f.zero_mode, s2 = f.shift, p2 = f.padding;
  run = WithDialog(nullptr, [&](fldlg::Dialog& d) { d.PressKey(VK_RETURN); },
                   [&] { r = Dll().Call_dlg100(BoardWindow(), 4, &z2, &s2, &p2); });
  ok = run.shown && r == 0 && z2 == f.zero_mode && s2 == f.shift && p2 == f.padding;
  Line(ok, "Call_dlg100(board, 4 digits, [" + Num(f.zero_mode) + "," + Num(f.shift) + "," + Num(f.padding) + "]); Enter",
       Num(r) + ", wrote [" + Num(z2) + "," + Num(s2) + "," + Num(p2) + "]",
       (ok ? "" : "expected 0, unchanged; ") + run.seen);
  s.zero_mode = z2, s.shift = s2, s.padding = p2;
  ApplyDigitSettings(g_host.board, Part::Fare, r, s);
}

void TicketFormat() {
  if (!Present(ExportId::Call_dlg101)) return;
  int16_t format = 0, lz = 0;
  int32_t r = -2;
  DialogRun run = WithDialog("dlg101", [&](fldlg::Dialog& d) {
    d.Select(dlg::kFormatCombo, 4);  // 「無券」、1,2...
    d.Click(dlg::kLeadingZeroCheck);  // 10の位に0をつける
    d.Click(IDOK);
  }, [&] { r = Dll().Call_dlg101(BoardWindow(), g_host.board.cell_count, &format, &lz); });
  bool ok = run.shown && r == 1 && format == 4 && lz == 1;
  Line(ok, "Call_dlg101(board, 20 cells, [0,0]); format 4, check, OK",
       Num(r) + ", wrote [" + Num(format) + "," + Num(lz) + "]", (ok ? "" : "expected 1, [4,1]; ") + run.seen);
  ApplyTicketFormat(g_host.board, format, lz);

  int16_t f2 = format, l2 = lz;
  run = WithDialog(nullptr, [&](fldlg::Dialog& d) {
    d.Select(dlg::kFormatCombo, 7);
    d.Click(dlg::kLeadingZeroCheck);
    d.PressKey(VK_ESCAPE);
  }, [&] { r = Dll().Call_dlg101(BoardWindow(), g_host.board.cell_count, &f2, &l2); });
  ok = run.shown && r == 0 && f2 == format && l2 == lz;
  Line(ok, "Call_dlg101(board, 20 cells, [4,1]); format 7, uncheck, Esc",
       Num(r) + ", values [" + Num(f2) + "," + Num(l2) + "]", (ok ? "" : "expected 0, untouched; ") + run.seen);
}

void InfoNumbers() {
  if (!Present(ExportId::Call_dlg102)) return;
  InfoNumberSettings rec{};
  rec.StopCountCell = 3, rec.RouteNumberCell = 5, rec.UserInfoColumn = 12, rec.UserInfoCell = 0;
  rec.ShowStopCount = 1, rec.ShowRouteNumber = 1;
  const InfoNumberSettings input = rec;
  InfoNumberSettings want = rec;
  want.TicketNumberCell = 7, want.ShowTicketNumber = 1, want.UserInfoCell = 10, want.ShowUserInfo = 1;
  int32_t r = -2;
  DialogRun run = WithDialog("dlg102", [&](fldlg::Dialog& d) {
    d.Select(dlg::kTicketNumberCellCombo, 6);  // ticket number in cell 7
    d.Click(dlg::kShowTicketNumberCheck);      // show it
    d.Select(dlg::kUserInfoCellCombo, 9);      // user information in cell 10
    d.Click(dlg::kShowUserInfoCheck);
    d.Click(IDOK);
  }, [&] { r = Dll().Call_dlg102(BoardWindow(), g_host.board.cell_count, &rec); });
  bool ok = run.shown && std::memcmp(&rec, &want, sizeof rec) == 0;
  Line(ok, "Call_dlg102(board, 20 cells, " + Fields(input) + "); cells 7 and 10, OK",
       Num(r) + ", record " + Fields(rec), (ok ? "" : "expected " + Fields(want) + "; ") + run.seen);
  ApplyInfo(g_host.board, rec);

  InfoNumberSettings before = rec;
  run = WithDialog(nullptr, [&](fldlg::Dialog& d) {
    d.Select(dlg::kStopCountCellCombo, 0);
    d.Click(dlg::kShowStopCountCheck);
    d.Click(IDCANCEL);
  }, [&] { r = Dll().Call_dlg102(BoardWindow(), g_host.board.cell_count, &rec); });
  ok = run.shown && r == 0 && std::memcmp(&rec, &before, sizeof rec) == 0;
  Line(ok, "Call_dlg102(board, 20 cells, ...); edits, Cancel", Num(r) + ", record " + Fields(rec),
       (ok ? "" : "expected 0, untouched; ") + run.seen);
}

void AboutBox() {
  if (!Present(ExportId::Call_dlg110)) return;
  const std::string text = AboutText();
  struct {
    int32_t picture;
    const char* shot;
    bool esc_first;  // Esc (which does nothing), then OK; else Enter
  } cases[] = {{1, "about-1", true}, {2, "about-2", false}, {0, nullptr, false}};
  for (const auto& c : cases) {
    int32_t r = -2;
    bool esc_ignored = true;
    DialogRun run = WithDialog(c.shot, [&](fldlg::Dialog& d) {
      if (c.esc_first) {
        esc_ignored = StaysOpenAfter(d, VK_ESCAPE);
        d.Click(IDOK);
      } else {
        d.PressKey(VK_RETURN);
      }
    }, [&] { r = Dll().Call_dlg110(BoardWindow(), c.picture, text.c_str()); });
    bool ok = run.shown && r == 1 && esc_ignored;
    Line(ok, "Call_dlg110(board, picture " + Num(c.picture) + ", text); " + (c.esc_first ? "Esc, OK" : "Enter"),
         Num(r), (ok ? "" : "expected 1, Esc ignored; ") + run.seen);
  }
}

void DatePicker() {
  if (!Present(ExportId::Call_dlg111)) return;
  SYSTEMTIME st;
  std::memset(&st, 0xA5, sizeof st);
  int32_t r = -2;
  bool esc_ignored = false;
  DialogRun run = WithDialog("dlg111", [&](fldlg::Dialog& d) {
    esc_ignored = StaysOpenAfter(d, VK_ESCAPE);
    d.Click(IDOK);
  }, [&] { r = Dll().Call_dlg111(BoardWindow(), &st); });
  SYSTEMTIME today;
  GetLocalTime(&today);
  bool ok = run.shown && esc_ignored && r == 1 && st.wYear == today.wYear && st.wMonth == today.wMonth &&
            st.wDay == today.wDay;
  Line(ok, "Call_dlg111(board, &date); Esc, OK", Date(r, st), (ok ? "" : "expected 1 and today; ") + run.seen);
  ApplyDate(g_host.board, r, st.wYear, st.wMonth, st.wDay);

  SYSTEMTIME again;
  std::memset(&again, 0x5A, sizeof again);
  run = WithDialog(nullptr, [&](fldlg::Dialog& d) { PostMessageW(d.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); },
                   [&] { r = Dll().Call_dlg111(BoardWindow(), &again); });
  ok = run.shown && r == 0 && std::memcmp(&again, &st, sizeof st) == 0;
  Line(ok, "Call_dlg111(board, &date); close box", Date(r, again),
       (ok ? "" : "expected 0 and the date of the last OK; ") + run.seen);
}

}  // namespace farehost::tour
