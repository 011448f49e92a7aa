// A failing heap under every export of a DLL as it ships.
//
//   farelib_heap_sweep DLL FIGURE_FILE [CALL]
//
// (CALL: sweep only the call of that name, to look into one.)
// In the DLL's own import table, the heap allocators (HeapAlloc, HeapReAlloc
// and the C runtime's calloc and realloc) are replaced by wrappers that count
// each request and can refuse it, and ShellExecuteA by a recorder that opens
// nothing. Each call below is then made again and again: with only the k-th
// request refused (the rest succeed), and with every request from the k-th
// on refused, for k = 1, 2, ... until the call no longer reaches its k-th
// request. After each call:
// - every text result is a valid string (its length prefix is its length)
//   holding the right text or nothing;
// - every list item of a dialog, read while the dialog is open, is its whole
//   text or blank in its place;
// - what the call writes to the host's memory is the right values or the
//   untouched ones;
// - the same call on a healthy heap is right again, every string handed out
//   so far still reads as it did, and the process heap validates.
// A fault in the call is caught, reported with the call and k, and counted.
// The program prints one figure line (also written to FIGURE_FILE) and exits
// with 0 only when there was no crash and no wrong result.
#include <windows.h>

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/about_date.h"
#include "dialogs/control_ids.h"
#include "farelib_records.h"
#include "fareplugin.h"
#include "support/choosers.h"
#include "support/dialog_driver.h"
#include "support/farelib_loader.h"
#include "support/import_hook.h"
#include "support/library.h"
#include "text/contact_links.h"

namespace {

using namespace farelib::dlg;

// ---- The DLL's exports ----------------------------------------------------

using Exports = support::Farelib;

// ---- The failing heap -----------------------------------------------------

enum class Mode { kHealthy, kOnly, kFrom };

struct Injector {
  volatile LONG requests;  // counted since the call began
  volatile LONG injected;  // refused, over the whole run
  Mode mode;
  LONG k;
};
Injector g_heap{};

struct RealAllocators {
  decltype(&HeapAlloc) heap_alloc;
  decltype(&HeapReAlloc) heap_realloc;
  void*(__cdecl* calloc)(size_t, size_t);
  void*(__cdecl* realloc)(void*, size_t);
};
RealAllocators g_real{};

bool Refuse() {
  LONG n = InterlockedIncrement(&g_heap.requests);
  bool refuse = (g_heap.mode == Mode::kOnly && n == g_heap.k) || (g_heap.mode == Mode::kFrom && n >= g_heap.k);
  if (refuse) InterlockedIncrement(&g_heap.injected);
  return refuse;
}

LPVOID WINAPI SweepHeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes) {
  return Refuse() ? nullptr : g_real.heap_alloc(heap, flags, bytes);
}
LPVOID WINAPI SweepHeapReAlloc(HANDLE heap, DWORD flags, LPVOID block, SIZE_T bytes) {
  return Refuse() ? nullptr : g_real.heap_realloc(heap, flags, block, bytes);
}
void* __cdecl SweepCalloc(size_t count, size_t size) { return Refuse() ? nullptr : g_real.calloc(count, size); }
void* __cdecl SweepRealloc(void* block, size_t size) { return Refuse() ? nullptr : g_real.realloc(block, size); }

// What the link button of the About box handed the shell.
std::vector<std::string> g_shell_files;
HINSTANCE WINAPI RecordShellExecuteA(HWND, LPCSTR, LPCSTR file, LPCSTR, LPCSTR, INT) {
  g_shell_files.push_back(file ? file : "<null>");
  return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));  // "success"; nothing is opened
}

// ---- Figures, crashes and wrong results -----------------------------------

struct Figures {
  const char* dll = "";
  const char* figure_file = "";
  long points = 0;
  long crashes = 0;
  long wrong = 0;
  std::string where;  // the call being made, for a crash report
};
Figures g_fig;

const char* Arch() {
#if defined(__i386__)
  return "i686";
#else
  return "x86_64";
#endif
}

void PrintFigures() {
  char line[256];
  std::snprintf(line, sizeof line,
                "heap sweep %s (%s): %ld allocation points swept, %ld failures injected, %ld crashes, %ld wrong results",
                g_fig.dll, Arch(), g_fig.points, static_cast<long>(g_heap.injected), g_fig.crashes, g_fig.wrong);
  std::printf("%s\n", line);
  std::fflush(stdout);
  if (FILE* f = std::fopen(g_fig.figure_file, "w")) {
    std::fprintf(f, "%s\n", line);
    std::fclose(f);
  }
}

// A fault while a call is made ends the run: it is reported with the call,
// counted, and the figures are written before the process ends with failure.
LONG WINAPI OnFault(EXCEPTION_POINTERS* info) {
  g_fig.crashes++;
  std::printf("CRASH in %s: exception 0x%08lX at %p\n", g_fig.where.c_str(),
              static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode),
              info->ExceptionRecord->ExceptionAddress);
  PrintFigures();
  TerminateProcess(GetCurrentProcess(), 3);
  return EXCEPTION_CONTINUE_SEARCH;
}

// Faults inside the library's own code are taken at once (it handles none);
// anything else only when nothing handles it.
HMODULE g_dll;
LONG WINAPI OnLibraryFault(EXCEPTION_POINTERS* info) {
  const DWORD code = info->ExceptionRecord->ExceptionCode;
  const bool fatal = code == EXCEPTION_ACCESS_VIOLATION || code == EXCEPTION_ILLEGAL_INSTRUCTION ||
                     code == EXCEPTION_PRIV_INSTRUCTION || code == EXCEPTION_INT_DIVIDE_BY_ZERO ||
                     code == EXCEPTION_STACK_OVERFLOW || code == EXCEPTION_ARRAY_BOUNDS_EXCEEDED ||
                     code == EXCEPTION_DATATYPE_MISALIGNMENT || code == 0xC0000374u /* heap corruption */;
  HMODULE owner = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     static_cast<LPCSTR>(info->ExceptionRecord->ExceptionAddress), &owner);
  return fatal && owner == g_dll ? OnFault(info) : EXCEPTION_CONTINUE_SEARCH;
}

// What one call found wrong; empty when right.
using Problems = std::vector<std::string>;

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

// A text result: a valid string holding `want`, or (when the heap failed)
// nothing.
void CheckText(Problems& p, const char* what, const char* got, const std::string& want, bool healthy) {
  if (got == nullptr) {
    p.push_back(std::string(what) + ": expected " + Quoted(want) + ", got a null pointer");
    return;
  }
  int32_t n;
  std::memcpy(&n, got - 4, 4);
  const std::string text(got, std::strlen(got));
  if (n < 0 || static_cast<size_t>(n) != text.size())
    p.push_back(std::string(what) + ": length prefix " + std::to_string(n) + ", text of " +
                std::to_string(text.size()) + " bytes");
  if (text != want && !(text.empty() && !healthy))
    p.push_back(std::string(what) + ": expected " + Quoted(want) + (healthy ? "" : " or empty") + ", got " +
                Quoted(text));
}

// A list as a dialog shows it: each item whole or blank in its place.
void CheckList(Problems& p, const std::string& what, const std::vector<std::string>& got,
               const std::vector<std::string>& want, bool healthy) {
  if (got.size() != want.size()) {
    p.push_back(what + ": expected " + std::to_string(want.size()) + " items, got " + std::to_string(got.size()));
    return;
  }
  for (size_t i = 0; i < got.size(); ++i)
    if (got[i] != want[i] && !(got[i].empty() && !healthy))
      p.push_back(what + " item " + std::to_string(i) + ": expected " + Quoted(want[i]) +
                  (healthy ? "" : " or blank") + ", got " + Quoted(got[i]));
}

template <class T>
void CheckValue(Problems& p, const char* what, const T& got, const T& want) {
  if (!(got == want)) p.push_back(std::string(what) + ": expected " + std::to_string(want) + ", got " + std::to_string(got));
}

// Every string handed out so far, with the bytes it held then.
struct Handed {
  const char* text;
  std::string bytes;
};
std::vector<Handed> g_handed;

void Keep(const char* text) {
  if (text != nullptr) g_handed.push_back({text, std::string(text - 4, 4 + std::strlen(text) + 1)});
}

void CheckHandedOut(Problems& p) {
  for (const Handed& h : g_handed)
    if (std::memcmp(h.text - 4, h.bytes.data(), h.bytes.size()) != 0) {
      p.push_back("a string handed out earlier changed: expected " + Quoted(h.bytes.substr(4, h.bytes.size() - 5)) +
                  ", now " + Quoted(h.text));
      return;
    }
}

// ---- Dialogs --------------------------------------------------------------

// The date picker and the choosers are driven by the dialog driver from a
// second thread. Runs `call` with `body` driving the dialog it opens. A
// dialog that did not close is a problem; one that did not appear is one only
// on a healthy heap (a chooser whose buffer the heap could not give is not
// shown, and its result is checked as empty).
template <class Call>
void WithDialog(Problems& p, const char* what, bool healthy, std::function<void(fldlg::Dialog&)> body, Call call) {
  fldlg::Script script(std::move(body));
  call();
  if (!script.Finish() && (healthy || script.found())) p.push_back(std::string(what) + ": the dialog: " + script.error());
}

// The library's own dialogs are driven from the thread that opens them, the
// moment their WM_INITDIALOG has been handled: their lists are filled then.
// Reading them takes no cross-thread message, and a dialog ended there is
// never shown, which keeps the hundreds of openings of a sweep quick.
std::function<void(HWND)> g_on_open;
LRESULT CALLBACK AfterInitDialog(int code, WPARAM wparam, LPARAM lparam) {
  const auto* m = reinterpret_cast<const CWPRETSTRUCT*>(lparam);
  if (code == HC_ACTION && m->message == WM_INITDIALOG && g_on_open) {
    std::function<void(HWND)> body = std::move(g_on_open);
    g_on_open = nullptr;
    body(m->hwnd);
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

template <class Call>
void WithOwnDialog(Problems& p, const char* what, std::function<void(HWND)> body, Call call) {
  bool opened = false;
  g_on_open = [&](HWND dialog) {
    opened = true;
    body(dialog);
  };
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, AfterInitDialog, nullptr, GetCurrentThreadId());
  call();
  UnhookWindowsHookEx(hook);
  g_on_open = nullptr;
  if (!opened) p.push_back(std::string(what) + ": the dialog did not open");
}

// The command a click on control `id` sends, handled before this returns.
void SendCommand(HWND dialog, int id) { SendMessageA(dialog, WM_COMMAND, static_cast<WPARAM>(id), 0); }

std::vector<std::string> ComboTexts(HWND dialog, int id) {
  HWND combo = GetDlgItem(dialog, id);
  std::vector<std::string> items;
  const LRESULT n = SendMessageA(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < n; ++i) {
    std::string text(static_cast<size_t>(std::max<LRESULT>(SendMessageA(combo, CB_GETLBTEXTLEN, i, 0), 0)) + 1, '\0');
    const LRESULT got = SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    items.push_back(text);
  }
  return items;
}

using Lists = std::vector<std::vector<std::string>>;
Lists ReadLists(HWND dialog, std::initializer_list<int> ids) {
  Lists lists;
  for (int id : ids) lists.push_back(ComboTexts(dialog, id));
  return lists;
}
void CheckLists(Problems& p, const char* what, const Lists& got, const Lists& want, bool healthy) {
  for (size_t i = 0; i < want.size() && i < got.size(); ++i)
    CheckList(p, std::string(what) + " list " + std::to_string(i), got[i], want[i], healthy);
}

// ---- The calls ------------------------------------------------------------

struct Call {
  std::string name;
  // Makes the call once and checks it; `healthy` tells that no request was
  // refused, so everything must be whole.
  std::function<void(Problems&, bool healthy)> run;
  // A dialog that makes many requests: the healthy call that follows each
  // failing one is made once at the end of each mode instead (the heap and
  // the strings handed out are still checked after every call).
  bool settings_dialog = false;
};

struct Setup {
  Exports x;
  bool farelib3;
  farelib::ContactLinks links;
  std::string plugin;   // probe_plugin.dll beside the program
  std::string save_to;  // a file name the file chooser is given
};

std::vector<Call> Calls(const Setup& s) {
  const Exports& x = s.x;
  std::vector<Call> calls;
  auto text_call = [&](const char* name, const char* (WINAPI* fn)(), const std::string& want) {
    calls.push_back({name, [fn, want, name](Problems& p, bool healthy) {
                       const char* r = fn();
                       CheckText(p, name, r, want, healthy);
                       Keep(r);
                     }});
  };

  calls.push_back({"LenB_ASCII and MidB_ASCII", [x](Problems& p, bool healthy) {
                     const char host[] = "ABCDE\x89\x5E\x92\xC0";  // "ABCDE運賃"
                     CheckValue(p, "LenB_ASCII", x.LenB_ASCII(host), 9);
                     struct Cut {
                       int32_t start, count;
                       const char* want;
                     } cuts[] = {{2, 3, "BCD"}, {6, 0, "\x89\x5E\x92\xC0"}, {1, 9, host}, {10, 1, ""}};
                     for (const Cut& c : cuts) {
                       const char* r = x.MidB_ASCII(host, c.start, c.count);
                       CheckText(p, ("MidB_ASCII(" + std::to_string(c.start) + ", " + std::to_string(c.count) + ")").c_str(),
                                 r, c.want, healthy);
                       Keep(r);
                     }
                   }});
  text_call("VantrelMailAddress", x.VantrelMailAddress, s.links.mail_link);
  text_call("VantrelHpURL", x.VantrelHpURL, s.links.homepage);
  if (!s.farelib3) {
    text_call("VantrelHpSndURL", x.VantrelHpSndURL, s.links.sound_page);
    // The version name was made when the DLL was loaded: the healthy answer is the right one.
    const char* os = x.GetOsInfo();
    Keep(os);
    text_call("GetOsInfo", x.GetOsInfo, os);
  }

  // The settings dialogs, with small counts. Each list is read while the
  // dialog is open; one choice is made and the dialog closed with OK.
  {
    auto want = std::make_shared<Lists>();
    calls.push_back({"Call_dlg100", [x, want](Problems& p, bool healthy) {
                       int16_t zero = 1, shift = 1, padding = 2;
                       int32_t r = -2;
                       Lists got;
                       WithOwnDialog(p, "Call_dlg100", [&](HWND d) {
                         got = ReadLists(d, {kZeroHandlingCombo, kDigitShiftCombo, kZeroPaddingCombo});
                         SendDlgItemMessageA(d, kDigitShiftCombo, CB_SETCURSEL, 0, 0);
                         SendCommand(d, kOkButton);
                       }, [&] { r = x.Call_dlg100(nullptr, 2, &zero, &shift, &padding); });
                       if (want->empty()) *want = got;
                       CheckLists(p, "Call_dlg100", got, *want, healthy);
                       CheckValue(p, "Call_dlg100 result", r, 0);
                       CheckValue(p, "Call_dlg100 zero handling", zero, int16_t{1});
                       CheckValue(p, "Call_dlg100 digit shift (chosen 0)", shift, int16_t{0});
                       CheckValue(p, "Call_dlg100 zero padding", padding, int16_t{2});
                     }, true});
  }
  {
    auto want = std::make_shared<Lists>();
    calls.push_back({"Call_dlg101", [x, want](Problems& p, bool healthy) {
                       int16_t format = 2, leading = 1;
                       int32_t r = -2;
                       Lists got;
                       WithOwnDialog(p, "Call_dlg101", [&](HWND d) {
                         got = ReadLists(d, {kFormatCombo});
                         SendDlgItemMessageA(d, kFormatCombo, CB_SETCURSEL, 0, 0);
                         SendCommand(d, kOkButton);
                       }, [&] { r = x.Call_dlg101(nullptr, 20, &format, &leading); });
                       if (want->empty()) *want = got;
                       CheckLists(p, "Call_dlg101", got, *want, healthy);
                       CheckValue(p, "Call_dlg101 result", r, 1);
                       CheckValue(p, "Call_dlg101 format (chosen 0)", format, int16_t{0});
                       CheckValue(p, "Call_dlg101 leading zero", leading, int16_t{1});
                     }, true});
  }
  {
    auto want = std::make_shared<Lists>();
    calls.push_back({"Call_dlg102", [x, want](Problems& p, bool healthy) {
                       InfoNumberSettings record{};
                       std::memset(&record, 0, sizeof record);
                       int16_t fields[10] = {1, 2, 1, 3, 2, 1, 0, 1, 0, 1};
                       std::memcpy(&record, fields, sizeof record);
                       int32_t r = -2;
                       Lists got;
                       WithOwnDialog(p, "Call_dlg102", [&](HWND d) {
                         got = ReadLists(d, {InfoCombo(0), InfoCombo(1), InfoCombo(2), InfoCombo(3), InfoCombo(4)});
                         SendDlgItemMessageA(d, InfoCombo(3), CB_SETCURSEL, 149, 0);
                         SendCommand(d, kOkButton);
                       }, [&] { r = x.Call_dlg102(nullptr, 2, &record); });
                       if (want->empty()) *want = got;
                       CheckLists(p, "Call_dlg102", got, *want, healthy);
                       CheckValue(p, "Call_dlg102 result", r, 1);
                       int16_t after[10];
                       std::memcpy(after, &record, sizeof after);
                       fields[3] = 150;
                       for (int i = 0; i < 10; ++i)
                         CheckValue(p, ("Call_dlg102 field " + std::to_string(i)).c_str(), after[i], fields[i]);
                     }, true});
  }

  // The About box: its text box shows the host's text; the link button hands
  // the shell the homepage, or nothing when the heap gave no homepage text.
  calls.push_back({"Call_dlg110", [x, links = s.links](Problems& p, bool healthy) {
                     const char host_text[] = "Zelvo 4\r\n\x89\x5E\x92\xC0";  // CR LF, then "運賃"
                     std::string shown;
                     g_shell_files.clear();
                     int32_t r = -2;
                     WithOwnDialog(p, "Call_dlg110", [&](HWND d) {
                       char text[64] = "";
                       GetDlgItemTextA(d, kAboutText, text, sizeof text);
                       shown = text;
                       SendCommand(d, kAboutLinkButton);
                       SendCommand(d, kOkButton);
                     }, [&] { r = x.Call_dlg110(nullptr, 1, host_text); });
                     CheckValue(p, "Call_dlg110 result", r, 1);
                     if (shown != host_text && !(shown.empty() && !healthy))
                       p.push_back("Call_dlg110 text box: expected " + Quoted(host_text) + ", got " + Quoted(shown));
                     const size_t want_calls = healthy ? 1 : g_shell_files.size();
                     if (g_shell_files.size() != want_calls || g_shell_files.size() > 1)
                       p.push_back("Call_dlg110 link button: " + std::to_string(g_shell_files.size()) +
                                   " shell calls, expected " + (healthy ? "1" : "0 or 1"));
                     for (const std::string& f : g_shell_files)
                       if (f != links.homepage)
                         p.push_back("Call_dlg110 link button: the shell was handed " + Quoted(f) + ", expected " +
                                     Quoted(links.homepage));
                   }});

  if (!s.farelib3) {
    calls.push_back({"Call_dlg111", [x](Problems& p, bool healthy) {
                       SYSTEMTIME date{}, today{};
                       int32_t r = -2;
                       WithDialog(p, "Call_dlg111", healthy, [&](fldlg::Dialog& d) { d.Click(kOkButton); },
                                  [&] { r = x.Call_dlg111(nullptr, &date); });
                       GetLocalTime(&today);
                       CheckValue(p, "Call_dlg111 result", r, 1);
                       CheckValue(p, "Call_dlg111 year", date.wYear, today.wYear);
                       CheckValue(p, "Call_dlg111 month", date.wMonth, today.wMonth);
                       CheckValue(p, "Call_dlg111 day", date.wDay, today.wDay);
                     }});
  }

  // The choosers: a file name typed and confirmed, a colour confirmed, the
  // folder browser cancelled.
  calls.push_back({"Ze3FileDlg", [x, path = s.save_to](Problems& p, bool healthy) {
                     const char* r = nullptr;
                     WithDialog(p, "Ze3FileDlg", healthy, [&](fldlg::Dialog& d) {
                       d.SetText(fldlg::kFileNameBox, path);
                       d.Click(IDOK);
                     }, [&] { r = x.Ze3FileDlg(nullptr, 1, "CSV\0*.csv\0\0", 0, "Save the fare table"); });
                     CheckText(p, "Ze3FileDlg", r, path, healthy);
                     Keep(r);
                   }});
  calls.push_back({"Ze3ChooseColor", [x](Problems& p, bool healthy) {
                     COLORREF colour = RGB(10, 20, 30), custom[16];
                     for (int i = 0; i < 16; ++i) custom[i] = RGB(i, i, i);
                     int32_t r = -2;
                     WithDialog(p, "Ze3ChooseColor", healthy, [&](fldlg::Dialog& d) { d.Click(IDOK); },
                                [&] { r = x.Ze3ChooseColor(nullptr, &colour, custom); });
                     CheckValue(p, "Ze3ChooseColor result", r, 1);
                     CheckValue(p, "Ze3ChooseColor colour", static_cast<unsigned long>(colour),
                                static_cast<unsigned long>(RGB(10, 20, 30)));
                   }});
  if (!s.farelib3) {
    calls.push_back({"Ze3FolderDlg", [x](Problems& p, bool healthy) {
                       const char* r = nullptr;
                       WithDialog(p, "Ze3FolderDlg", healthy, [&](fldlg::Dialog& d) { d.Click(IDCANCEL); },
                                  [&] { r = x.Ze3FolderDlg(nullptr, "Where are the route tables?"); });
                       CheckText(p, "Ze3FolderDlg (cancelled)", r, "", healthy);
                       Keep(r);
                     }});

    // The bridge, with the probe plug-in: the host's record gets all 14
    // values or stays as it was.
    calls.push_back({"ZE4 bridge", [x, plugin = s.plugin](Problems& p, bool) {
                       PluginInfo info;
                       for (int i = 0; i < FARE_PLUGIN_INFO_VALUES; ++i) info.value[i] = 0x5A5A0000 + i;
                       const PluginInfo untouched = info;
                       CheckValue(p, "ZE4_SetPlgComment", x.ZE4_SetPlgComment(plugin.c_str(), 7), 1);
                       CheckValue(p, "ZE4_SetCorpAddList", x.ZE4_SetCorpAddList(plugin.c_str(), 8), 1);
                       CheckValue(p, "ZE4_DrawSeiriken", x.ZE4_DrawSeiriken(plugin.c_str(), 1, 2, 3, 4, 5, 6, 7, 8), 1);
                       const int32_t r = x.ZE4_GetPlgInfo(plugin.c_str(), &info);
                       const bool whole = r == 1 && info.value[2] == static_cast<int32_t>(0xC0DE0002u);
                       const bool as_was = r == 0 && std::memcmp(&info, &untouched, sizeof info) == 0;
                       if (!whole && !as_was)
                         p.push_back("ZE4_GetPlgInfo: expected 1 and the plug-in's values, or 0 and the record as it "
                                     "was; got " + std::to_string(r) + " and value 2 = " + std::to_string(info.value[2]));
                     }});
  }
  return calls;
}

void Report(const std::string& where, const Problems& p) {
  if (p.empty()) return;
  g_fig.wrong++;
  std::printf("WRONG in %s:\n", where.c_str());
  for (const std::string& line : p) std::printf("  %s\n", line.c_str());
  std::fflush(stdout);
}

void Sweep(const Call& call) {
  const DWORD began = GetTickCount();
  g_fig.where = call.name + " on a healthy heap";
  g_heap.requests = 0;
  g_heap.mode = Mode::kHealthy;
  Problems first;
  call.run(first, true);
  Report(g_fig.where, first);
  long reached = 0;
  for (Mode mode : {Mode::kOnly, Mode::kFrom}) {
    const char* mode_name = mode == Mode::kOnly ? "only request" : "every request from";
    for (LONG k = 1;; ++k) {
      g_fig.where = call.name + ", " + mode_name + " " + std::to_string(k) + " refused";
      g_heap.requests = 0;
      g_heap.k = k;
      g_heap.mode = mode;
      Problems p;
      call.run(p, false);
      g_heap.mode = Mode::kHealthy;
      const bool hit = g_heap.requests >= k;
      if (hit && k > reached) reached = k;

      // Afterwards, on a healthy heap.
      g_heap.requests = 0;
      if (!call.settings_dialog || !hit) call.run(p, true);
      CheckHandedOut(p);
      if (!HeapValidate(GetProcessHeap(), 0, nullptr)) p.push_back("the process heap does not validate");
      Report(g_fig.where, p);
      if (!hit) break;
    }
  }
  g_fig.points += reached;
  std::printf("  %-28s %4ld allocation points, %5.1f s\n", call.name.c_str(), reached,
              (GetTickCount() - began) / 1000.0);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: %s DLL FIGURE_FILE [CALL]\n", argv[0]);
    return 2;
  }
  g_fig.dll = argv[1];
  g_fig.figure_file = argv[2];
  std::remove(g_fig.figure_file);
  support::Farelib farelib;
  if (!farelib.LoadBeside(g_fig.dll)) return 2;
  g_dll = farelib.module;

  Setup s{farelib, std::strcmp(g_fig.dll, "farelib3.dll") == 0, {}, support::BesideProgram("probe_plugin.dll"), ""};
  s.links = s.farelib3 ? farelib::kFarelib3Links : farelib::kFarelib4Links;
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  s.save_to = std::string(temp) + "farelib_heap_sweep_" + (s.farelib3 ? "3" : "4") + ".csv";
  DeleteFileA(s.save_to.c_str());

  support::ImportHook hooks[] = {
      {g_dll, "kernel32.dll", "HeapAlloc", reinterpret_cast<void*>(&SweepHeapAlloc)},
      {g_dll, "kernel32.dll", "HeapReAlloc", reinterpret_cast<void*>(&SweepHeapReAlloc)},
      {g_dll, "msvcrt.dll", "calloc", reinterpret_cast<void*>(&SweepCalloc)},
      {g_dll, "msvcrt.dll", "realloc", reinterpret_cast<void*>(&SweepRealloc)},
      {g_dll, "shell32.dll", "ShellExecuteA", reinterpret_cast<void*>(&RecordShellExecuteA)},
  };
  if (!hooks[0].installed() || !hooks[4].installed()) {
    std::printf("%s: HeapAlloc or ShellExecuteA is not in its import table\n", g_fig.dll);
    return 2;
  }
  g_real.heap_alloc = reinterpret_cast<decltype(g_real.heap_alloc)>(hooks[0].original());
  // The other allocators, where the DLL imports them.
  g_real.heap_realloc =
      hooks[1].installed() ? reinterpret_cast<decltype(g_real.heap_realloc)>(hooks[1].original()) : nullptr;
  g_real.calloc = hooks[2].installed() ? reinterpret_cast<decltype(g_real.calloc)>(hooks[2].original()) : nullptr;
  g_real.realloc = hooks[3].installed() ? reinterpret_cast<decltype(g_real.realloc)>(hooks[3].original()) : nullptr;

  AddVectoredExceptionHandler(1, OnLibraryFault);
  SetUnhandledExceptionFilter(OnFault);

  std::printf("%s:\n", g_fig.dll);
  for (const Call& call : Calls(s))
    if (argc == 3 || call.name == argv[3]) Sweep(call);
  DeleteFileA(s.save_to.c_str());
  PrintFigures();
  return g_fig.crashes == 0 && g_fig.wrong == 0 && g_fig.points > 0 ? 0 : 1;
}
