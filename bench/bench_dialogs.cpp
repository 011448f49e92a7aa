// How long the settings dialogs with the largest lists take to appear: from
// the export call until the dialog is on the screen, filled. Run under Wine:
// scripts/bench.
#include <windows.h>

#include "bench_util.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>

#include "support/dialog_driver.h"
#include "support/farelib_loader.h"

namespace {

// Seconds from `open()` until its dialog is visible; the dialog is then
// closed with OK. Best of `runs`.
template <class Open>
double TimeToAppear(Open open, int runs) {
  double best = 1e30;
  for (int i = 0; i < runs; ++i) {
    double t0 = bench::Now(), shown = 0;
    fldlg::Script script(
        [&](fldlg::Dialog& d) {
          shown = bench::Now();
          d.Click(1);
        },
        nullptr, 600000);
    open();
    if (!script.Finish()) {
      std::fprintf(stderr, "dialog run failed: %s\n", script.error().c_str());
      return -1;
    }
    best = std::min(best, shown - t0);
  }
  return best;
}

}  // namespace

int main() {
  support::Farelib farelib;
  if (!farelib.LoadBeside("farelib4.dll") || !farelib.Call_dlg100 || !farelib.Call_dlg102) return 1;

  std::printf("time until the dialog appears, filled (best of 3)\n");
  for (int n : {10, 1000, 10000, 32766}) {
    double t = TimeToAppear(
        [&] {
          int16_t z = 0, s = 0, p = 0;
          farelib.Call_dlg100(nullptr, n, &z, &s, &p);
        },
        3);
    std::printf("Call_dlg100 N = %5d (%6d list items)   %8.3f s\n", n, 2 * n + 5, t);
  }
  for (int n : {10, 1000, 10000, 32767}) {
    double t = TimeToAppear(
        [&] {
          InfoNumberSettings rec{};
          farelib.Call_dlg102(nullptr, n, &rec);
        },
        3);
    std::printf("Call_dlg102 N = %5d (%6d list items)   %8.3f s\n", n, 4 * n + 150, t);
  }
  return 0;
}
