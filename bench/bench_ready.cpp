// How long each dialog and chooser takes to be ready: from the export call
// until its window is shown (a settings dialog with its lists filled, which
// happens before it is shown), for the settings dialogs at list sizes from
// the smallest to the largest N. Each is then closed as a person would (OK,
// or Cancel for the choosers). Prints "key value" figures for
// bench/report.py: ready.<export>[.<N>] in seconds, the best of kRuns.
#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "bench_util.h"
#include "support/dialog_driver.h"

namespace {

constexpr int kRuns = 3;
constexpr int kCounts[] = {1, 10, 100, 1000, 10000, 32767};

// Seconds from `open()` until its dialog is shown, the best of kRuns; the
// dialog is closed with the button `close`. Negative when a run failed.
template <class Open>
double ReadyTime(int close, Open open) {
  double best = 1e30;
  for (int i = 0; i < kRuns; ++i) {
    double t0 = 0, shown = 0;
    fldlg::Script script(
        [&](fldlg::Dialog& d) {
          shown = bench::Now();
          d.Click(close);
        },
        nullptr);
    t0 = bench::Now();
    open();
    if (!script.Finish()) {
      std::fprintf(stderr, "bench: a dialog run failed: %s\n", script.error().c_str());
      return -1;
    }
    best = std::min(best, shown - t0);
  }
  return best;
}

// ready.<name>, or ready.<name>.<n> when n is not negative.
void Report(double seconds, const char* name, int n = -1) {
  if (seconds < 0) return;
  if (n < 0)
    bench::Figure(seconds, "ready.%s", name);
  else
    bench::Figure(seconds, "ready.%s.%d", name, n);
}

}  // namespace

int main() {
  support::Farelib farelib;
  if (!farelib.LoadBeside("farelib4.dll")) return bench::Fail("farelib4.dll did not load");
  auto dlg100 = farelib.Call_dlg100;
  auto dlg101 = farelib.Call_dlg101;
  auto dlg102 = farelib.Call_dlg102;
  auto dlg110 = farelib.Call_dlg110;
  auto dlg111 = farelib.Call_dlg111;
  auto file_dlg = farelib.Ze3FileDlg;
  auto folder_dlg = farelib.Ze3FolderDlg;
  auto choose_color = farelib.Ze3ChooseColor;
  if (!dlg100 || !dlg101 || !dlg102 || !dlg110 || !dlg111 || !file_dlg || !folder_dlg || !choose_color)
    return bench::Fail("a dialog export is missing");

  for (int n : kCounts) {
    Report(ReadyTime(IDOK, [&] {
             int16_t zero = 0, size = 0, place = 0;
             dlg100(nullptr, n, &zero, &size, &place);
           }), "Call_dlg100", n);
    Report(ReadyTime(IDOK, [&] {
             int16_t format = 0, leading = 0;
             dlg101(nullptr, n, &format, &leading);
           }), "Call_dlg101", n);
    Report(ReadyTime(IDOK, [&] {
             InfoNumberSettings s{};
             dlg102(nullptr, n, &s);
           }), "Call_dlg102", n);
  }
  Report(ReadyTime(IDOK, [&] { dlg110(nullptr, 1, "Fare board\r\nversion 1.0"); }), "Call_dlg110");
  Report(ReadyTime(IDOK, [&] {
           SYSTEMTIME date;
           dlg111(nullptr, &date);
         }), "Call_dlg111");
  Report(ReadyTime(IDCANCEL, [&] {
           file_dlg(nullptr, 0, "CSV (*.csv)\0*.csv\0All files\0*.*\0", 0, "Choose a fare table");
         }), "Ze3FileDlg");
  Report(ReadyTime(IDCANCEL, [&] { folder_dlg(nullptr, "Where are the route tables?"); }), "Ze3FolderDlg");
  Report(ReadyTime(IDCANCEL, [&] {
           COLORREF colour = RGB(255, 160, 0), custom[16] = {};
           choose_color(nullptr, &colour, custom);
         }), "Ze3ChooseColor");
  return 0;
}
