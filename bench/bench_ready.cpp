// How long each dialog and chooser takes to be ready: from the export call
// until its window is shown (a settings dialog with its lists filled, which
// happens before it is shown), for the settings dialogs at list sizes from
// the smallest to the largest N. Each is then closed as a person would (OK,
// or Cancel for the choosers). Prints "key value" figures for
// bench/report.py: ready.<export>[.<N>] in seconds, the best of kRuns.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "bench_exports.h"
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

void Report(const std::string& key, double seconds) {
  if (seconds >= 0) bench::Figure(key.c_str(), seconds);
}

}  // namespace

int main() {
  HMODULE m = support::LoadBeside("farelib4.dll");
  if (!m) return bench::Fail("farelib4.dll did not load");
  auto dlg100 = BENCH_EXPORT(m, Call_dlg100);
  auto dlg101 = BENCH_EXPORT(m, Call_dlg101);
  auto dlg102 = BENCH_EXPORT(m, Call_dlg102);
  auto dlg110 = BENCH_EXPORT(m, Call_dlg110);
  auto dlg111 = BENCH_EXPORT(m, Call_dlg111);
  auto file_dlg = BENCH_EXPORT(m, Ze3FileDlg);
  auto folder_dlg = BENCH_EXPORT(m, Ze3FolderDlg);
  auto choose_color = BENCH_EXPORT(m, Ze3ChooseColor);
  if (!dlg100 || !dlg101 || !dlg102 || !dlg110 || !dlg111 || !file_dlg || !folder_dlg || !choose_color)
    return bench::Fail("a dialog export is missing");

  for (int n : kCounts) {
    std::string suffix = "." + std::to_string(n);
    Report("ready.Call_dlg100" + suffix, ReadyTime(IDOK, [&] {
             int16_t zero = 0, size = 0, place = 0;
             dlg100(nullptr, n, &zero, &size, &place);
           }));
    Report("ready.Call_dlg101" + suffix, ReadyTime(IDOK, [&] {
             int16_t format = 0, leading = 0;
             dlg101(nullptr, n, &format, &leading);
           }));
    Report("ready.Call_dlg102" + suffix, ReadyTime(IDOK, [&] {
             InfoNumberSettings s{};
             dlg102(nullptr, n, &s);
           }));
  }
  Report("ready.Call_dlg110", ReadyTime(IDOK, [&] { dlg110(nullptr, 1, "Fare board\r\nversion 1.0"); }));
  Report("ready.Call_dlg111", ReadyTime(IDOK, [&] {
           SYSTEMTIME date;
           dlg111(nullptr, &date);
         }));
  Report("ready.Ze3FileDlg", ReadyTime(IDCANCEL, [&] {
           file_dlg(nullptr, 0, "CSV (*.csv)\0*.csv\0All files\0*.*\0", 0, "Choose a fare table");
         }));
  Report("ready.Ze3FolderDlg", ReadyTime(IDCANCEL, [&] { folder_dlg(nullptr, "Where are the route tables?"); }));
  Report("ready.Ze3ChooseColor", ReadyTime(IDCANCEL, [&] {
           COLORREF colour = RGB(255, 160, 0), custom[16] = {};
           choose_color(nullptr, &colour, custom);
         }));
  return 0;
}
