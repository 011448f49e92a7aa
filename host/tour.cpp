#include "host/tour.h"

#include <windows.h>
#include <shlobj.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include "host/capture.h"
#include "host/host.h"
#include "support/hex.h"

namespace farehost {

TourOptions g_tour;

void Out(const std::string& line) {
  HANDLE h = GetStdHandle(STD_OUTPUT_HANDLE);
  if (h == nullptr || h == INVALID_HANDLE_VALUE) return;
  DWORD mode, n;
  if (GetConsoleMode(h, &mode)) {
    std::wstring w = FromUtf8(line + "\n");
    WriteConsoleW(h, w.c_str(), static_cast<DWORD>(w.size()), &n, nullptr);
  } else {
    std::string s = line + "\n";
    WriteFile(h, s.data(), static_cast<DWORD>(s.size()), &n, nullptr);
  }
}

namespace {

// ---------------------------------------------------------------- report

int g_calls, g_unexpected;

std::string Stem() {
  std::string n = ToUtf8(g_host.api.name);
  size_t dot = n.rfind('.');
  return dot == std::string::npos ? n : n.substr(0, dot);
}

void Line(bool ok, const std::string& call, const std::string& got, const std::string& note = "") {
  ++g_calls;
  if (!ok) ++g_unexpected;
  std::string s = (ok ? "  ok    " : "  FAIL  ") + call + " -> " + got;
  if (!note.empty()) s += "   " + note;
  Out(s);
}

void Info(const std::string& text) { Out("        " + text); }

std::string Num(long long v) { return std::to_string(v); }

// A library string for the report: its UTF-8 text in quotes and its length.
std::string Shown(const char* s) {
  if (!s) return "null";
  int32_t n = farelib_length(s);
  return "\"" + ToUtf8(FromCp932(s, n)) + "\" (" + Num(n) + " bytes)";
}

// A library string must be non-null, and its length prefix must match its text.
bool WellFormed(const char* s) { return s && farelib_length(s) == static_cast<int32_t>(std::strlen(s)); }

std::string Cp(const char* utf8) { return ToCp932(FromUtf8(utf8)); }

// Whether the tour goes on with an export; reports the ones that are absent.
bool Present(ExportId id) {
  const char* name = support::Row(id).name;
  const bool listed = support::InDll(support::Row(id), g_host.api.IsFarelib3());
  if (g_host.api.Has(id)) {
    if (!listed) Line(false, name, "present", "(farelib3 must not export it)");
    return listed;
  }
  if (!listed)
    Out(std::string("  --    ") + name + ": not in " + ToUtf8(g_host.api.name) + " (farelib4 only); menu disabled");
  else
    Line(false, name, "missing", "(expected in " + ToUtf8(g_host.api.name) + ")");
  return false;
}

// ---------------------------------------------------------------- dialogs

struct Watch;
using Act = std::function<void(HWND, Watch&)>;

struct Watch {
  DWORD thread_id = 0;
  std::vector<HWND> before;
  HANDLE done = nullptr;
  std::wstring shot;  // picture path, or empty
  std::string shot_name;
  DWORD settle = 0;
  Act act;
  // What happened.
  HWND dialog = nullptr;
  bool captured = false, closed = false;
  std::string note;
};

struct Finder {
  const Watch* watch;
  HWND found;
};

BOOL CALLBACK FindNew(HWND w, LPARAM lp) {
  Finder* f = reinterpret_cast<Finder*>(lp);
  for (HWND b : f->watch->before)
    if (b == w) return TRUE;
  if (!IsWindowVisible(w)) return TRUE;
  wchar_t cls[64];
  GetClassNameW(w, cls, 64);
  if (std::wcscmp(cls, L"#32770") != 0) return TRUE;
  f->found = w;
  return FALSE;
}

BOOL CALLBACK Collect(HWND w, LPARAM lp) {
  reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
  return TRUE;
}

bool WaitClosed(HWND d, DWORD ms) {
  for (DWORD t = 0; t < ms; t += 20) {
    if (!IsWindow(d)) return true;
    Sleep(20);
  }
  return !IsWindow(d);
}

DWORD WINAPI WatchThread(void* p) {
  Watch& w = *static_cast<Watch*>(p);
  const DWORD timeout = 30000;
  for (DWORD t = 0; t < timeout && !w.dialog; t += 25) {
    if (WaitForSingleObject(w.done, 25) == WAIT_OBJECT_0) break;
    Finder f = {&w, nullptr};
    EnumThreadWindows(w.thread_id, FindNew, reinterpret_cast<LPARAM>(&f));
    w.dialog = f.found;
  }
  if (!w.dialog) {
    w.note = "no dialog appeared";
    return 0;
  }
  Sleep(w.settle);
  if (!w.shot.empty()) {
    RedrawWindow(w.dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    Sleep(w.settle);
    w.captured = CaptureWindow(w.dialog, w.shot);
    if (!w.captured) w.note += " (no picture)";
  }
  if (w.act) w.act(w.dialog, w);
  w.closed = WaitClosed(w.dialog, 30000);
  if (!w.closed) {
    w.note += " (did not close; closed by the tour)";
    PostMessageW(w.dialog, WM_COMMAND, IDOK, 0);
    if (!WaitClosed(w.dialog, 3000)) PostMessageW(w.dialog, WM_COMMAND, IDCANCEL, 0);
  }
  return 0;
}

std::wstring ShotPath(const char* shot) {
  if (g_tour.shots.empty() || !shot) return std::wstring();
  return g_tour.shots + L"\\" + FromUtf8(Stem() + "-" + shot + ".bmp");
}

// Runs `call` (which opens one dialog) while a second thread waits for the
// dialog, takes its picture and runs `act` on it. The result notes what the
// second thread saw.
Watch WithDialog(const char* shot, DWORD settle, Act act, const std::function<void()>& call) {
  Watch w;
  w.thread_id = GetCurrentThreadId();
  EnumThreadWindows(w.thread_id, Collect, reinterpret_cast<LPARAM>(&w.before));
  w.done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  w.shot = ShotPath(shot);
  if (shot) w.shot_name = shot;
  w.settle = g_tour.shots.empty() ? 50 : settle;
  w.act = std::move(act);
  HANDLE thread = CreateThread(nullptr, 0, WatchThread, &w, 0, nullptr);
  call();
  SetEvent(w.done);
  WaitForSingleObject(thread, 60000);
  CloseHandle(thread);
  CloseHandle(w.done);
  return w;
}

// What a person does in a dialog.
void Click(HWND d, int id) {
  HWND b = GetDlgItem(d, id);
  if (b) SendMessageW(b, BM_CLICK, 0, 0);
}
void Key(HWND d, WPARAM vk) {
  PostMessageW(d, WM_KEYDOWN, vk, 0x00000001);
  PostMessageW(d, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001u));
}
void Select(HWND d, int id, int index) { SendDlgItemMessageW(d, id, CB_SETCURSEL, index, 0); }
bool StaysOpenAfter(HWND d, WPARAM vk) {
  Key(d, vk);
  Sleep(300);
  return IsWindow(d) != FALSE;
}

std::string Seen(const Watch& w) {
  std::string s;
  if (w.captured) s = "[" + Stem() + "-" + w.shot_name + ".png]";
  if (!w.note.empty()) s += (s.empty() ? "" : " ") + w.note;
  return s;
}

bool Shown(const Watch& w) { return w.dialog != nullptr && w.closed; }

// ---------------------------------------------------------------- steps

const Api& A() { return g_host.api; }
HWND Board() { return g_host.window; }

void TourDllMain() {
  if (!Present(ExportId::DllMain)) return;
  BOOL thread = A().DllMain(A().module, DLL_THREAD_ATTACH, nullptr);
  Line(thread == FALSE, "DllMain(module, DLL_THREAD_ATTACH, 0)", Num(thread), thread ? "(expected 0)" : "");
  const char* kept = A().MidB_ASCII ? A().MidB_ASCII("ABCDE", 2, 3) : nullptr;
  BOOL again = A().DllMain(A().module, DLL_PROCESS_ATTACH, nullptr);
  bool still = !kept || (farelib_length(kept) == 3 && std::strcmp(kept, "BCD") == 0);
  Line(again == TRUE && still, "DllMain(module, DLL_PROCESS_ATTACH, 0) again", Num(again),
       still ? "(strings handed out before stay valid)" : "(a string handed out before changed)");
}

void TourBytes() {
  const std::string fare = Cp("運賃");  // 89 5E 92 C0
  if (Present(ExportId::LenB_ASCII)) {
    struct {
      const char* text;
      const char* shown;
      int32_t want;
    } cases[] = {{fare.c_str(), "\"運賃\"", 4}, {"ABCDE", "\"ABCDE\"", 5}, {"", "\"\"", 0}, {nullptr, "null", 0}};
    for (const auto& c : cases) {
      int32_t n = A().LenB_ASCII(c.text);
      Line(n == c.want, std::string("LenB_ASCII(") + c.shown + ")", Num(n), n == c.want ? "" : "expected " + Num(c.want));
    }
  }
  if (Present(ExportId::MidB_ASCII)) {
    const std::string tail = Cp("賃");
    struct {
      const char* text;
      const char* shown;
      int32_t start, count;
      std::string want;
    } cases[] = {
        {"ABCDE", "\"ABCDE\"", 2, 3, "BCD"},
        {"ABCDE", "\"ABCDE\"", 4, 10, "DE"},
        {"ABCDE", "\"ABCDE\"", 1, 0, "ABCDE"},
        {"ABCDE", "\"ABCDE\"", 6, 1, ""},
        {"ABCDE", "\"ABCDE\"", 0, 2, ""},
        {"ABCDE", "\"ABCDE\"", 2, -1, ""},
        {fare.c_str(), "\"運賃\"", 2, 2, "\x5E\x92"},
        {fare.c_str(), "\"運賃\"", 3, 0, tail},
        {nullptr, "null", 1, 0, ""},
    };
    for (const auto& c : cases) {
      const char* r = A().MidB_ASCII(c.text, c.start, c.count);
      bool ok = WellFormed(r) && farelib_length(r) == static_cast<int32_t>(c.want.size()) &&
                std::memcmp(r, c.want.data(), c.want.size()) == 0;
      std::string call = std::string("MidB_ASCII(") + c.shown + ", " + Num(c.start) + ", " + Num(c.count) + ")";
      std::string got = r ? "bytes [" + support::Hex(r, farelib_length(r)) + "]" : "null";
      Line(ok, call, got, ok ? "" : "expected [" + support::Hex(c.want) + "]");
    }
  }
}

bool StartsWith(const char* s, const char* p) { return s && std::strncmp(s, p, std::strlen(p)) == 0; }
bool EndsWith(const char* s, const char* p) {
  size_t n = s ? std::strlen(s) : 0, m = std::strlen(p);
  return s && n >= m && std::strcmp(s + n - m, p) == 0;
}

void TourLinks() {
  const char* home = nullptr;
  if (Present(ExportId::VantrelHpURL)) {
    home = A().VantrelHpURL();
    const char* again = A().VantrelHpURL();
    bool ok = WellFormed(home) && StartsWith(home, "http://") && EndsWith(home, "/") && again != home &&
              std::strcmp(again, home) == 0;
    Line(ok, "VantrelHpURL()", Shown(home), ok ? "" : "(expected a new http://.../ string on every call)");
  }
  if (Present(ExportId::VantrelHpSndURL)) {
    const char* s = A().VantrelHpSndURL();
    bool ok = WellFormed(s) && EndsWith(s, "/zelvo/zelvo_sound.htm") && (!home || StartsWith(s, home));
    Line(ok, "VantrelHpSndURL()", Shown(s), ok ? "" : "(expected the homepage's host and /zelvo/zelvo_sound.htm)");
  }
  if (Present(ExportId::VantrelMailAddress)) {
    const char* s = A().VantrelMailAddress();
    bool ok = WellFormed(s) && StartsWith(s, "mailto:") && std::strchr(s, '@') != nullptr;
    Line(ok, "VantrelMailAddress()", Shown(s), ok ? "" : "(expected mailto:...@...)");
  }
  if (Present(ExportId::GetOsInfo)) {
    const char* s = A().GetOsInfo();
    static const char* const kNames[] = {"Windows NT 3.51", "Windows 95 OSR2", "Windows 95", "Windows NT 4.0",
                                         "Windows 98 SE", "Windows 98", "Windows Me", "", "Windows 2000",
                                         "Windows XP", "Windows Server 2003", "Windows Vista", "Windows 7"};
    bool named = false;
    for (const char* n : kNames) named |= s && std::strcmp(s, n) == 0;
    named |= s && std::strcmp(s, Cp("謎のWindows(^^;").c_str()) == 0;
    OSVERSIONINFOA v = {};
    v.dwOSVersionInfoSize = sizeof v;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExA(&v);
#pragma GCC diagnostic pop
    Line(WellFormed(s) && named, "GetOsInfo()", Shown(s),
         "(system reports " + Num(v.dwMajorVersion) + "." + Num(v.dwMinorVersion) + ")");
  }
}

void TourDigits() {
  if (!Present(ExportId::Call_dlg100)) return;
  // A five-digit part showing mode 2, shift 3, padding 4.
  int16_t zero = 2, shift = 3, pad = 4;
  int32_t r = -2;
  bool esc_ignored = false;
  Watch w = WithDialog("dlg100", 700, [&](HWND d, Watch&) {
    esc_ignored = StaysOpenAfter(d, VK_ESCAPE);  // this dialog has no Cancel
    Select(d, 11, 0);                           // shift: 0桁
    Select(d, 12, 0);                           // zero padding: 0桁
    Click(d, 13);                               // apply to all digital parts
    Click(d, IDOK);
  }, [&] { r = A().Call_dlg100(Board(), 5, &zero, &shift, &pad); });
  bool ok = Shown(w) && esc_ignored && r == 1 && zero == 2 && shift == 0 && pad == 0;
  Line(ok, "Call_dlg100(board, 5 digits, [2,3,4]); Esc, shift 0桁, padding 0桁, apply to all, OK",
       Num(r) + ", wrote [" + Num(zero) + "," + Num(shift) + "," + Num(pad) + "]",
       (ok ? "" : "expected 1, [2,0,0], Esc ignored; ") + Seen(w));
  DigitSettings s;
  s.zero_mode = zero, s.shift = shift, s.padding = pad;
  ApplyDigitSettings(g_host.board, Part::Fare, r, s);

  // The fare part's own settings, OK without the box: applies to that part.
  DigitSettings f = g_host.board.parts[0];
  f.zero_mode = 1;
  int16_t z2 = f.zero_mode, s2 = f.shift, p2 = f.padding;
  w = WithDialog(nullptr, 300, [&](HWND d, Watch&) { Key(d, VK_RETURN); },
                 [&] { r = A().Call_dlg100(Board(), 4, &z2, &s2, &p2); });
  ok = Shown(w) && r == 0 && z2 == f.zero_mode && s2 == f.shift && p2 == f.padding;
  Line(ok, "Call_dlg100(board, 4 digits, [" + Num(f.zero_mode) + "," + Num(f.shift) + "," + Num(f.padding) + "]); Enter",
       Num(r) + ", wrote [" + Num(z2) + "," + Num(s2) + "," + Num(p2) + "]", (ok ? "" : "expected 0, unchanged; ") + Seen(w));
  s.zero_mode = z2, s.shift = s2, s.padding = p2;
  ApplyDigitSettings(g_host.board, Part::Fare, r, s);
}

void TourFormat() {
  if (!Present(ExportId::Call_dlg101)) return;
  int16_t format = 0, lz = 0;
  int32_t r = -2;
  Watch w = WithDialog("dlg101", 700, [&](HWND d, Watch&) {
    Select(d, 10, 4);  // 「無券」、1,2...
    Click(d, 11);      // 10の位に0をつける
    Click(d, IDOK);
  }, [&] { r = A().Call_dlg101(Board(), g_host.board.cell_count, &format, &lz); });
  bool ok = Shown(w) && r == 1 && format == 4 && lz == 1;
  Line(ok, "Call_dlg101(board, 20 cells, [0,0]); format 4, check, OK",
       Num(r) + ", wrote [" + Num(format) + "," + Num(lz) + "]", (ok ? "" : "expected 1, [4,1]; ") + Seen(w));
  ApplyTicketFormat(g_host.board, format, lz);

  int16_t f2 = format, l2 = lz;
  w = WithDialog(nullptr, 300, [&](HWND d, Watch&) {
    Select(d, 10, 7);
    Click(d, 11);
    Key(d, VK_ESCAPE);
  }, [&] { r = A().Call_dlg101(Board(), g_host.board.cell_count, &f2, &l2); });
  ok = Shown(w) && r == 0 && f2 == format && l2 == lz;
  Line(ok, "Call_dlg101(board, 20 cells, [4,1]); format 7, uncheck, Esc",
       Num(r) + ", values [" + Num(f2) + "," + Num(l2) + "]", (ok ? "" : "expected 0, untouched; ") + Seen(w));
}

void TourInfo() {
  if (!Present(ExportId::Call_dlg102)) return;
  InfoRecord rec;
  rec.stop_cell = 3, rec.route_cell = 5, rec.user_column = 12, rec.user_cell = 0;
  rec.show_stop = 1, rec.show_route = 1;
  const InfoRecord input = rec;
  InfoRecord want = rec;
  want.ticket_cell = 7, want.show_ticket = 1, want.user_cell = 10, want.show_user = 1;
  int32_t r = -2;
  Watch w = WithDialog("dlg102", 700, [&](HWND d, Watch&) {
    Select(d, 11, 6);  // ticket number in cell 7
    Click(d, 17);      // show it
    Select(d, 14, 9);  // user column 12 in cell 10
    Click(d, 19);
    Click(d, IDOK);
  }, [&] { r = A().Call_dlg102(Board(), g_host.board.cell_count, reinterpret_cast<InfoNumberSettings*>(&rec)); });
  bool ok = Shown(w) && std::memcmp(&rec, &want, sizeof rec) == 0;
  auto fields = [](const InfoRecord& x) {
    const int16_t* f = reinterpret_cast<const int16_t*>(&x);
    std::string s = "[";
    for (int i = 0; i < 10; ++i) s += (i ? "," : "") + Num(f[i]);
    return s + "]";
  };
  Line(ok, "Call_dlg102(board, 20 cells, " + fields(input) + "); cells 7 and 10, OK",
       Num(r) + ", record " + fields(rec), (ok ? "" : "expected " + fields(want) + "; ") + Seen(w));
  ApplyInfo(g_host.board, rec);

  InfoRecord before = rec;
  w = WithDialog(nullptr, 300, [&](HWND d, Watch&) {
    Select(d, 10, 0);
    Click(d, 15);
    Click(d, IDCANCEL);
  }, [&] { r = A().Call_dlg102(Board(), g_host.board.cell_count, reinterpret_cast<InfoNumberSettings*>(&rec)); });
  ok = Shown(w) && r == 0 && std::memcmp(&rec, &before, sizeof rec) == 0;
  Line(ok, "Call_dlg102(board, 20 cells, ...); edits, Cancel", Num(r) + ", record " + fields(rec),
       (ok ? "" : "expected 0, untouched; ") + Seen(w));
}

void TourAbout() {
  if (!Present(ExportId::Call_dlg110)) return;
  const std::string text = AboutText();
  struct {
    int32_t picture;
    const char* shot;
    WPARAM close;
  } cases[] = {{1, "about-1", 0}, {2, "about-2", VK_RETURN}, {0, nullptr, VK_RETURN}};
  for (const auto& c : cases) {
    int32_t r = -2;
    bool esc_ignored = true;
    Watch w = WithDialog(c.shot, 700, [&](HWND d, Watch&) {
      if (c.close == 0) {
        esc_ignored = StaysOpenAfter(d, VK_ESCAPE);
        Click(d, IDOK);
      } else {
        Key(d, c.close);
      }
    }, [&] { r = A().Call_dlg110(Board(), c.picture, text.c_str()); });
    bool ok = Shown(w) && r == 1 && esc_ignored;
    std::string how = c.close == 0 ? "Esc, OK" : "Enter";
    Line(ok, "Call_dlg110(board, picture " + Num(c.picture) + ", text); " + how, Num(r),
         (ok ? "" : "expected 1, Esc ignored; ") + Seen(w));
  }
}

void TourDate() {
  if (!Present(ExportId::Call_dlg111)) return;
  SYSTEMTIME st;
  std::memset(&st, 0xA5, sizeof st);
  int32_t r = -2;
  bool esc_ignored = false;
  Watch w = WithDialog("dlg111", 900, [&](HWND d, Watch&) {
    esc_ignored = StaysOpenAfter(d, VK_ESCAPE);
    Click(d, IDOK);
  }, [&] { r = A().Call_dlg111(Board(), &st); });
  SYSTEMTIME today;
  GetLocalTime(&today);
  bool ok = Shown(w) && esc_ignored && r == 1 && st.wYear == today.wYear && st.wMonth == today.wMonth &&
            st.wDay == today.wDay;
  char got[64];
  std::snprintf(got, sizeof got, "%d, wrote %04u-%02u-%02u", static_cast<int>(r), st.wYear, st.wMonth, st.wDay);
  Line(ok, "Call_dlg111(board, &date); Esc, OK", got, (ok ? "" : "expected 1 and today; ") + Seen(w));
  ApplyDate(g_host.board, r, st.wYear, st.wMonth, st.wDay);

  SYSTEMTIME again;
  std::memset(&again, 0x5A, sizeof again);
  w = WithDialog(nullptr, 300, [&](HWND d, Watch&) { PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0); },
                 [&] { r = A().Call_dlg111(Board(), &again); });
  ok = Shown(w) && r == 0 && std::memcmp(&again, &st, sizeof st) == 0;
  std::snprintf(got, sizeof got, "%d, wrote %04u-%02u-%02u", static_cast<int>(r), again.wYear, again.wMonth, again.wDay);
  Line(ok, "Call_dlg111(board, &date); close box", got, (ok ? "" : "expected 0 and the date of the last OK; ") + Seen(w));
}

// A folder of the tour's own with one data file in it.
std::string TourFolder() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  // One folder per process: the two tours may run at the same time.
  std::string dir = std::string(temp) + "farehost-tour-" + Num(GetCurrentProcessId());
  CreateDirectoryA(dir.c_str(), nullptr);
  char full[MAX_PATH];
  GetLongPathNameA(dir.c_str(), full, MAX_PATH);
  return full;
}

bool SamePath(const char* a, const std::string& b) { return a && lstrcmpiA(a, b.c_str()) == 0; }

void SetFileName(HWND d, const std::string& path) {
  std::wstring w = FromCp932(path.c_str());
  HWND box = GetDlgItem(d, 0x47C);  // cmb13: the file name box
  if (!box) box = GetDlgItem(d, 0x480);  // edt1
  if (box) SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(w.c_str()));
}

void TourFiles() {
  if (!Present(ExportId::Ze3FileDlg)) return;
  const std::string dir = TourFolder();
  const std::string data = dir + "\\fare.csv", saved = dir + "\\fare-new.csv";
  HANDLE h = CreateFileA(data.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h != INVALID_HANDLE_VALUE) {
    DWORD n;
    WriteFile(h, "1,170\r\n2,200\r\n", 14, &n, nullptr);
    CloseHandle(h);
  }
  DeleteFileA(saved.c_str());
  const std::string filter = DataFilter();
  char cwd_before[MAX_PATH], cwd_after[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, cwd_before);

  struct {
    int32_t save;
    const char* shot;
    const std::string* typed;  // null: Cancel
    const char* title;
  } cases[] = {{0, "file-open", &data, "運賃データを開く"}, {1, "file-save", &saved, "運賃データを保存"},
               {0, nullptr, nullptr, "運賃データを開く"}};
  for (const auto& c : cases) {
    const std::string title = Cp(c.title);
    const char* r = nullptr;
    Watch w = WithDialog(c.shot, 1500, [&](HWND d, Watch&) {
      if (c.typed) {
        SetFileName(d, *c.typed);
        Click(d, IDOK);
      } else {
        Click(d, IDCANCEL);
      }
    }, [&] { r = A().Ze3FileDlg(Board(), c.save, filter.c_str(), 0x1234, title.c_str()); });
    GetCurrentDirectoryA(MAX_PATH, cwd_after);
    bool ok = Shown(w) && WellFormed(r) && (c.typed ? SamePath(r, *c.typed) : farelib_length(r) == 0) &&
              lstrcmpiA(cwd_before, cwd_after) == 0;
    std::string call = std::string("Ze3FileDlg(board, ") + (c.save ? "save" : "open") + ", filter, 0x1234, \"" +
                       c.title + "\"); " + (c.typed ? "type " + ToUtf8(FromCp932(c.typed->c_str())) + ", OK" : "Cancel");
    Line(ok, call, Shown(r), (ok ? "" : "expected that path (or \"\" on Cancel) and the same current folder; ") + Seen(w));
  }
}

// The folder browser's tree, and the text of its selected item.
constexpr int kFolderTree = 0x3741;
std::string SelectedTreeText(HWND tree) {
  char text[MAX_PATH] = {};
  TVITEMA item{};
  item.mask = TVIF_TEXT;
  item.hItem = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  item.pszText = text;
  item.cchTextMax = MAX_PATH;
  if (!item.hItem || !SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return "";
  return text;
}

void TourFolderChooser() {
  if (!Present(ExportId::Ze3FolderDlg)) return;
  const std::string dir = TourFolder();
  const std::string title = Cp("運賃データのフォルダを選んでください");
  for (int pick = 1; pick >= 0; --pick) {
    const char* r = nullptr;
    Watch w = WithDialog(pick ? "folder" : nullptr, 1500, [&](HWND d, Watch&) {
      if (pick) {
        // Pick the folder once the browser has filled its tree: ask again
        // until the tree's selection is that folder (or half a minute passes).
        const std::string leaf = dir.substr(dir.find_last_of('\\') + 1);
        for (DWORD start = GetTickCount(); GetTickCount() - start < 30000; Sleep(100)) {
          SendMessageA(d, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(dir.c_str()));
          Sleep(100);
          if (SelectedTreeText(GetDlgItem(d, kFolderTree)) == leaf) break;
        }
        Click(d, IDOK);
      } else {
        Click(d, IDCANCEL);
      }
    }, [&] { r = A().Ze3FolderDlg(Board(), title.c_str()); });
    bool ok = Shown(w) && WellFormed(r) && (pick ? SamePath(r, dir) : farelib_length(r) == 0);
    Line(ok, std::string("Ze3FolderDlg(board, title); ") + (pick ? "select " + ToUtf8(FromCp932(dir.c_str())) + ", OK" : "Cancel"),
         Shown(r), (ok ? "" : "expected that folder (or \"\" on Cancel); ") + Seen(w));
  }
}

void TourColour() {
  if (!Present(ExportId::Ze3ChooseColor)) return;
  COLORREF colour = g_host.board.led_colour;
  const COLORREF start = colour;
  COLORREF custom[16], custom_in[16];
  for (int i = 0; i < 16; ++i) custom[i] = custom_in[i] = RGB(16 * i, 255 - 16 * i, 128);
  int32_t r = -2;
  Watch w = WithDialog("colour", 800, [&](HWND d, Watch&) {
    // A click on a basic colour: second row, second column of the swatches.
    HWND swatches = GetDlgItem(d, 0x2D0);
    if (swatches) {
      RECT s;
      GetWindowRect(swatches, &s);
      POINT p = {s.left + (s.right - s.left) * 3 / 16, s.top + (s.bottom - s.top) * 3 / 12};
      ScreenToClient(d, &p);
      PostMessageW(d, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
      PostMessageW(d, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    }
    // Posted after the click, so the chooser takes the click first.
    PostMessageW(GetDlgItem(d, IDOK), BM_CLICK, 0, 0);
  }, [&] { r = A().Ze3ChooseColor(Board(), &colour, custom); });
  bool ok = Shown(w) && r == 1 && colour != start && std::memcmp(custom, custom_in, sizeof custom) == 0;
  char got[96];
  std::snprintf(got, sizeof got, "%d, colour 0x%06lX (was 0x%06lX), 16 custom colours written back", static_cast<int>(r),
                static_cast<unsigned long>(colour), static_cast<unsigned long>(start));
  Line(ok, "Ze3ChooseColor(board, &colour, custom[16]); click a swatch, OK", got,
       (ok ? "" : "expected 1 and the clicked colour; ") + Seen(w));
  ApplyColour(g_host.board, r, colour, reinterpret_cast<const uint32_t*>(custom));

  COLORREF c2 = 0x00123456, cust2[16];
  for (int i = 0; i < 16; ++i) cust2[i] = 0x00010101u * i;
  COLORREF cust2_in[16];
  std::memcpy(cust2_in, cust2, sizeof cust2);
  w = WithDialog(nullptr, 300, [&](HWND d, Watch&) { Key(d, VK_ESCAPE); },
                 [&] { r = A().Ze3ChooseColor(Board(), &c2, cust2); });
  ok = Shown(w) && r == 0 && c2 == 0x00123456 && std::memcmp(cust2, cust2_in, sizeof cust2) == 0;
  Line(ok, "Ze3ChooseColor(board, &colour, custom[16]); Esc", Num(r) + (ok ? ", nothing written" : ", values changed"),
       (ok ? "" : "expected 0 and untouched values; ") + Seen(w));
}

void TourPlugins() {
  bool any = false;
  const ExportId ids[] = {ExportId::ZE4_GetPlgInfo, ExportId::ZE4_SetPlgComment, ExportId::ZE4_SetCorpAddList,
                         ExportId::ZE4_DrawSeiriken};
  bool has[4];
  for (int i = 0; i < 4; ++i) any |= has[i] = Present(ids[i]);
  if (!any) return;

  // A path that names nothing: 0, and the host's record untouched.
  const char* nowhere = "no-such-plugin.dll";
  if (has[0]) {
    PluginInfo info;
    for (int i = 0; i < 14; ++i) info.value[i] = 0x5A5A0000 + i;
    PluginInfo before = info;
    int32_t r = A().ZE4_GetPlgInfo(nowhere, &info);
    bool ok = r == 0 && std::memcmp(&info, &before, sizeof info) == 0;
    Line(ok, "ZE4_GetPlgInfo(\"no-such-plugin.dll\", &info)", Num(r) + (ok ? ", record untouched" : ", record changed"));
  }
  std::string plugin = ToCp932(g_tour.plugin);
  if (g_tour.plugin.empty() || GetFileAttributesW(g_tour.plugin.c_str()) == INVALID_FILE_ATTRIBUTES) {
    Line(false, "sample plug-in", "not found", "(build examples/sample-plugin, or give --plugin PATH)");
    return;
  }
  // The host holds the plug-in loaded (main), so what it is told survives
  // the bridge's load and free around each call.
  Info("plug-in: " + ToUtf8(g_tour.plugin) + (g_host.plugin_module ? " (held loaded by the host)" : ""));
  if (has[0]) {
    PluginInfo info;
    std::memset(&info, 0xEE, sizeof info);
    int32_t r = A().ZE4_GetPlgInfo(plugin.c_str(), &info);
    std::string values;
    for (int i = 0; i < 14; ++i) values += (i ? "," : "") + Num(info.value[i]);
    bool ok = r == 1 && info.value[0] == 1 && info.value[13] == 0;
    Line(ok, "ZE4_GetPlgInfo(plugin, &info)", Num(r) + ", values [" + values + "]",
         ok ? "" : "(expected 1, agreement version 1, unused values 0)");
  }
  if (has[1]) {
    int32_t r = A().ZE4_SetPlgComment(plugin.c_str(), 2);
    Line(r == 1, "ZE4_SetPlgComment(plugin, 2 = ICカード)", Num(r));
  }
  if (has[2]) {
    int32_t r = A().ZE4_SetCorpAddList(plugin.c_str(), 123);
    Line(r == 1, "ZE4_SetCorpAddList(plugin, 123)", Num(r));
  }
  if (has[0] && has[1] && has[2]) {
    PluginInfo info = {};
    int32_t r = A().ZE4_GetPlgInfo(plugin.c_str(), &info);
    bool ok = r == 1 && info.value[4] == 2 && info.value[5] == 123;
    Line(ok, "ZE4_GetPlgInfo(plugin, &info) again", Num(r) + ", comment " + Num(info.value[4]) + ", operator " +
         Num(info.value[5]), ok ? "(kept while the host holds the plug-in)" : "(expected comment 2, operator 123)");
  }
  if (has[3]) {
    // A ticket label drawn into a bitmap of the host's: the plug-in must
    // have put ink on the white label.
    const int w = 120, h = 48;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    RECT all = {0, 0, w, h};
    FillRect(mem, &all, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    int32_t r = A().ZE4_DrawSeiriken(plugin.c_str(), static_cast<int32_t>(reinterpret_cast<intptr_t>(mem)), 0, 0, w, h,
                                     12, 1, 0x00010001 /* only the low 16 bits count: 1 */);
    int white = 0, dark = 0;
    for (int y = 0; y < h; y += 2)
      for (int x = 0; x < w; x += 2) {
        COLORREF c = GetPixel(mem, x, y);
        if (c == RGB(255, 255, 255)) ++white;
        else if (GetRValue(c) < 96 && GetGValue(c) < 96 && GetBValue(c) < 96) ++dark;
      }
    std::wstring path = ShotPath("plugin-ticket");
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
         pictured ? "[" + Stem() + "-plugin-ticket.png]" : "");
    int32_t r0 = A().ZE4_DrawSeiriken(nowhere, 0, 0, 0, 0, 0, 0, 0, 0);
    Line(r0 == 0, "ZE4_DrawSeiriken(\"no-such-plugin.dll\", ...)", Num(r0));
  }
}

void RemoveTourFolder() {
  const std::string dir = TourFolder();
  DeleteFileA((dir + "\\fare.csv").c_str());
  DeleteFileA((dir + "\\fare-new.csv").c_str());
  RemoveDirectoryA(dir.c_str());
}

void PaintAndCapture(const char* shot) {
  RefreshBoard();
  RedrawWindow(Board(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME | RDW_ALLCHILDREN);
  std::wstring path = ShotPath(shot);
  if (path.empty()) return;
  MSG m;
  for (int i = 0; i < 20; ++i) {
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
    Sleep(25);
  }
  bool ok = CaptureWindow(Board(), path);
  Info(std::string("the board: ") + (ok ? "[" + Stem() + "-" + shot + ".png]" : "(no picture)"));
}

void TourBoardPicture() {
  PaintAndCapture("board");
  // The same board with its ticket labels drawn by the sample plug-in.
  if (A().ZE4_DrawSeiriken && g_host.plugin_module) {
    g_host.plugin_labels = true;
    PaintAndCapture("board-plugin");
    g_host.plugin_labels = false;
  }
}

}  // namespace

void RunTour() {
  const Api& api = g_host.api;
  const int have = api.Count(), want = support::ExportCount(api.IsFarelib3());
  Out(ToUtf8(api.name) + ": " + Num(have) + " of " + Num(want) + " exports (" + ToUtf8(api.path) + ")");
  if (have != want) {
    ++g_unexpected;
    Out("  FAIL  export count " + Num(have) + ", expected " + Num(want));
  }
  TourDllMain();
  TourBytes();
  TourLinks();
  TourDigits();
  TourFormat();
  TourInfo();
  TourAbout();
  TourDate();
  TourFiles();
  TourFolderChooser();
  TourColour();
  TourPlugins();
  RemoveTourFolder();
  SetStatus(L"ツアー: " + std::to_wstring(g_calls) + L" 回の呼び出し、期待どおり " +
            std::to_wstring(g_calls - g_unexpected) + L" 回、想定外 " + std::to_wstring(g_unexpected) + L" 回");
  TourBoardPicture();
  Out("tour of " + ToUtf8(api.name) + ": " + Num(g_calls) + " calls, " + Num(g_calls - g_unexpected) + " as expected, " +
      Num(g_unexpected) + " unexpected");
  g_tour.exit_code = g_tour.check && g_unexpected > 0 ? 1 : 0;
  DestroyWindow(g_host.window);
}

}  // namespace farehost
