#include "host/tour/fixtures.h"

#include "host/tour/capture.h"
#include "host/host.h"
#include "host/tour/tour.h"
#include "host/tour/report.h"

namespace farehost::tour {

std::string Folder() {
  static const std::string folder = [] {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string dir = std::string(temp) + "farehost-tour-" + Num(GetCurrentProcessId());
    CreateDirectoryA(dir.c_str(), nullptr);
    char full[MAX_PATH];
    GetLongPathNameA(dir.c_str(), full, MAX_PATH);
    HANDLE h = CreateFileA((std::string(full) + "\\" + kDataFile).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           0, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      DWORD n;
      WriteFile(h, "1,170\r\n2,200\r\n", 14, &n, nullptr);
      CloseHandle(h);
    }
    return std::string(full);
  }();
  return folder;
}

void RemoveFolder() {
  const std::string dir = Folder();
  DeleteFileA((dir + "\\" + kDataFile).c_str());
  DeleteFileA((dir + "\\" + kSavedFile).c_str());
  RemoveDirectoryA(dir.c_str());
}

bool FindPlugin(std::string* cp932_path) {
  if (g_tour.plugin.empty() || GetFileAttributesW(g_tour.plugin.c_str()) == INVALID_FILE_ATTRIBUTES) {
    Line(false, "sample plug-in", "not found", "(build examples/sample-plugin, or give --plugin PATH)");
    return false;
  }
  // The host holds the plug-in loaded (main), so what it is told survives
  // the bridge's load and free around each call.
  Info("plug-in: " + ToUtf8(g_tour.plugin) + (g_host.plugin_module ? " (held loaded by the host)" : ""));
  *cp932_path = ToCp932(g_tour.plugin);
  return true;
}

std::wstring ShotPath(const char* shot) {
  if (g_tour.shots.empty() || !shot) return std::wstring();
  return g_tour.shots + L"\\" + FromUtf8(Stem() + "-" + shot + ".bmp");
}

std::string ShotName(const char* shot) { return "[" + Stem() + "-" + shot + ".png]"; }

DialogRun WithDialog(const char* shot, const std::function<void(fldlg::Dialog&)>& act,
                     const std::function<void()>& call) {
  const std::wstring path = ShotPath(shot);
  bool captured = false;
  fldlg::Script script([&](fldlg::Dialog& d) {
    if (!path.empty()) {
      // Painted whole before the picture: the dialog's thread paints while
      // this one waits.
      RedrawWindow(d.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
      d.Settle();
      captured = CaptureWindow(d.hwnd(), path);
    }
    act(d);
  });
  call();
  DialogRun run;
  run.shown = script.Finish();
  if (captured)
    run.seen = ShotName(shot);
  else if (!path.empty())
    run.seen = "(no picture)";
  if (!script.error().empty()) run.seen += (run.seen.empty() ? "(" : " (") + script.error() + ")";
  return run;
}

void BoardPicture(const char* shot) {
  RedrawWindow(g_host.window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME | RDW_ALLCHILDREN);
  const std::wstring path = ShotPath(shot);
  if (path.empty()) return;
  bool ok = CaptureWindow(g_host.window, path);
  Info(std::string("the board: ") + (ok ? ShotName(shot) : "(no picture)"));
}

}  // namespace farehost::tour
