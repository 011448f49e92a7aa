// Tour mode: the host calls every export of the loaded library in turn,
// step by step (steps_*.cpp); the dialogs are driven from a second
// thread (fixtures.cpp), and every result goes into the report
// (report.cpp).
#include "host/tour/tour.h"

#include "host/host.h"
#include "host/tour/fixtures.h"
#include "host/tour/report.h"
#include "host/tour/steps.h"

namespace farehost {

TourOptions g_tour;

void RunTour() {
  using namespace tour;
  const support::Farelib& api = g_host.farelib;
  const int have = api.Count(), want = support::ExportCount(api.IsFarelib3());
  Out(ToUtf8(api.name) + ": " + Num(have) + " of " + Num(want) + " exports (" + ToUtf8(api.path) + ")");
  if (have != want) Fail("export count " + Num(have) + ", expected " + Num(want));

  for (void (*step)() : {DllMainAgain, ByteStrings, LinksAndVersion, DigitalDisplay, TicketFormat, InfoNumbers,
                         AboutBox, DatePicker, FileChooser, FolderChooser, ColourChooser, Plugins})
    step();
  RemoveFolder();

  SetStatus(L"ツアー: " + std::to_wstring(Calls()) + L" 回の呼び出し、期待どおり " +
            std::to_wstring(Calls() - Unexpected()) + L" 回、想定外 " + std::to_wstring(Unexpected()) + L" 回");
  BoardPicture("board");
  // The same board with its ticket labels drawn by the sample plug-in.
  if (api.ZE4_DrawSeiriken && g_host.plugin_module) {
    g_host.plugin_labels = true;
    BoardPicture("board-plugin");
    g_host.plugin_labels = false;
  }
  Out("tour of " + ToUtf8(api.name) + ": " + Num(Calls()) + " calls, " + Num(Calls() - Unexpected()) +
      " as expected, " + Num(Unexpected()) + " unexpected");
  g_tour.exit_code = g_tour.check && Unexpected() > 0 ? 1 : 0;
  DestroyWindow(g_host.window);
}

}  // namespace farehost
