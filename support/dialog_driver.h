// Driving a library dialog from a second thread, as a person at the screen
// would: wait for it to appear, read what its controls show, choose, click,
// press keys, and wait for it to close.
//
// A dialog export runs its modal loop on the calling thread, so the test's
// main thread calls the export and a Script thread drives the dialog:
//
//   fldlg::Script script([](fldlg::Dialog& d) {
//     EXPECT_EQ(d.ComboItems(10).size(), 4u);   // what the list shows (CP932 bytes)
//     d.Select(11, 3);                           // choose item 3 of combo box 11
//     d.PressKey(VK_RETURN);                     // through the dialog's keyboard handling
//   }, L"デジタル表示設定");                      // title, or null for any dialog
//   int32_t r = call_dlg100(...);                // returns when the dialog has closed
//   ASSERT_TRUE(script.Finish()) << script.error();
//
// Every wait has a timeout. If the dialog never appears, Finish() fails. If
// it is still open when the body has returned and the timeout has passed, the
// script ends the modal loop with WM_QUIT (the export then returns whatever
// the platform makes of that) and Finish() fails: a dialog that does not
// close fails the test instead of hanging it.
//
// Inside the body, use EXPECT_* (an ASSERT_* only returns from the body).
// Narrow combo box texts are read with the "A" messages, so they arrive as
// code page 932 bytes (the test prefix runs with LC_ALL=ja_JP.UTF-8); compare
// them with fltest::Cp932(u8"...") or with hex bytes.
//
// The API is small on purpose, and other dialog tests build on it; extend it
// only with things every dialog test needs.
#ifndef FARELIB_SUPPORT_DIALOG_DRIVER_H
#define FARELIB_SUPPORT_DIALOG_DRIVER_H

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace fldlg {

// How long a driver waits for a dialog to come, settle or close. Only a
// failing test waits this long; it is generous because on a loaded machine
// Wine may take many seconds to fill a chooser.
inline constexpr DWORD kTimeoutMs = 30000;

// A rectangle in dialog units.
struct DluRect {
  int x, y, cx, cy;
  bool operator==(const DluRect&) const = default;
};

// One control of a running dialog, as the platform shows it.
struct ControlInfo {
  std::string class_name;  // "Button", "ComboBox", "Static", "Edit", ... (GetClassNameA)
  int id;                  // GetDlgCtrlID
  DWORD style;             // live GWL_STYLE (may carry bits the platform adds)
  DluRect dlu;             // window rectangle in the dialog's client area, in dialog units
                           // (a combo box's cy is its closed height, not the template's)
  std::wstring text;       // GetWindowTextW
};

namespace detail {

inline std::wstring WindowText(HWND w) {
  int n = GetWindowTextLengthW(w);
  std::wstring s(static_cast<size_t>(n) + 1, L'\0');
  n = GetWindowTextW(w, s.data(), n + 1);
  s.resize(static_cast<size_t>(n > 0 ? n : 0));
  return s;
}

struct FindArgs {
  const wchar_t* title;
  const std::vector<HWND>* ignore;
  HWND found;
};

inline BOOL CALLBACK CollectDialogs(HWND w, LPARAM p) {
  char cls[16] = {};
  GetClassNameA(w, cls, sizeof cls);
  if (lstrcmpA(cls, "#32770") == 0) reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
  return TRUE;
}

inline BOOL CALLBACK FindDialog(HWND w, LPARAM p) {
  auto* a = reinterpret_cast<FindArgs*>(p);
  char cls[16] = {};
  GetClassNameA(w, cls, sizeof cls);
  if (lstrcmpA(cls, "#32770") != 0 || !IsWindowVisible(w) || !IsWindowEnabled(w)) return TRUE;
  if (a->title && WindowText(w) != a->title) return TRUE;
  if (a->ignore && std::find(a->ignore->begin(), a->ignore->end(), w) != a->ignore->end()) return TRUE;
  a->found = w;
  return FALSE;
}

// Dialog units from pixels, the inverse of the platform's MulDiv rounding.
inline int ToDlu(int px, int base, int per) {
  if (base <= 0) return 0;
  int d = MulDiv(px, per, base);
  for (int c : {d, d - 1, d + 1})
    if (MulDiv(c, base, per) == px) return c;
  return d;
}

// Synchronisation with the dialog's thread: a WH_GETMESSAGE hook on that
// thread signals when it takes a marker message out of its queue, which it
// does only after every message posted before the marker has been handled.
inline constexpr WPARAM kMarker = 0x464C4452;  // on WM_NULL
inline std::atomic<HANDLE> g_marker_seen{nullptr};

inline LRESULT CALLBACK GetMessageHook(int code, WPARAM wp, LPARAM lp) {
  if (code == HC_ACTION && wp == PM_REMOVE) {
    const MSG* m = reinterpret_cast<const MSG*>(lp);
    if (m->message == WM_NULL && m->wParam == kMarker) {
      HANDLE e = g_marker_seen.load();
      if (e) SetEvent(e);
    }
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

}  // namespace detail

// The first dialog window (class "#32770") of thread `thread` that a person
// can use (visible and enabled: a dialog that has opened another over itself
// is disabled) and whose title is `title` (any title when null), waiting up
// to timeout_ms for it; null when none came. Dialogs in `ignore` are passed
// over.
inline HWND WaitForDialog(DWORD thread, const wchar_t* title = nullptr, DWORD timeout_ms = kTimeoutMs,
                          const std::vector<HWND>* ignore = nullptr) {
  DWORD start = GetTickCount();
  for (;;) {
    detail::FindArgs a{title, ignore, nullptr};
    EnumThreadWindows(thread, detail::FindDialog, reinterpret_cast<LPARAM>(&a));
    if (a.found) return a.found;
    if (GetTickCount() - start > timeout_ms) return nullptr;
    Sleep(10);
  }
}

// True when `dialog` is destroyed within timeout_ms.
inline bool WaitForClose(HWND dialog, DWORD timeout_ms = kTimeoutMs) {
  DWORD start = GetTickCount();
  while (IsWindow(dialog)) {
    if (GetTickCount() - start > timeout_ms) return false;
    Sleep(10);
  }
  return true;
}

// A running dialog of another thread. Every call is synchronous: when it
// returns, the dialog has handled it (or has closed).
class Dialog {
 public:
  explicit Dialog(HWND hwnd) : hwnd_(hwnd), thread_(GetWindowThreadProcessId(hwnd, nullptr)) {
    event_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    detail::g_marker_seen.store(event_);
    hook_ = SetWindowsHookExW(WH_GETMESSAGE, detail::GetMessageHook, nullptr, thread_);
  }
  ~Dialog() {
    if (hook_) UnhookWindowsHookEx(hook_);
    detail::g_marker_seen.store(nullptr);
    CloseHandle(event_);
  }
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  HWND hwnd() const { return hwnd_; }
  bool IsOpen() const { return IsWindow(hwnd_) != FALSE; }
  std::wstring Title() const { return detail::WindowText(hwnd_); }
  HWND Control(int id) const { return GetDlgItem(hwnd_, id); }

  // ---- Combo boxes (narrow messages: code page 932 bytes) ----
  int ComboCount(int id) const { return static_cast<int>(SendMessageA(Control(id), CB_GETCOUNT, 0, 0)); }
  std::string ComboItem(int id, int index) const {
    HWND c = Control(id);
    LRESULT n = SendMessageA(c, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (n < 0) return "<no item " + std::to_string(index) + ">";
    std::string s(static_cast<size_t>(n) + 1, '\0');
    n = SendMessageA(c, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.data()));
    s.resize(static_cast<size_t>(n > 0 ? n : 0));
    return s;
  }
  std::vector<std::string> ComboItems(int id) const {
    std::vector<std::string> items;
    int n = ComboCount(id);
    for (int i = 0; i < n; ++i) items.push_back(ComboItem(id, i));
    return items;
  }
  // CB_GETCURSEL: the selected index, or -1 when no item is selected.
  int ComboSelection(int id) const {
    return static_cast<int>(SendMessageA(Control(id), CB_GETCURSEL, 0, 0));
  }
  // Chooses item `index` as a choice from the dropped-down list does: the
  // selection changes and the dialog gets CBN_SELCHANGE.
  void Select(int id, int index) const {
    HWND c = Control(id);
    SendMessageA(c, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(hwnd_, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(c));
  }

  // ---- Text (narrow messages: code page 932 bytes) ----
  // What control `id` shows (WM_GETTEXT).
  std::string Text(int id) const {
    HWND c = Control(id);
    LRESULT n = SendMessageA(c, WM_GETTEXTLENGTH, 0, 0);
    std::string s(static_cast<size_t>(n > 0 ? n : 0) + 1, '\0');
    n = SendMessageA(c, WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(s.data()));
    s.resize(static_cast<size_t>(n > 0 ? n : 0));
    return s;
  }
  // Replaces what control `id` shows, as typing over it would: WM_SETTEXT,
  // which an edit box (or a combo box's edit part) reports with EN_CHANGE.
  void SetText(int id, const std::string& text) const {
    SendMessageA(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }

  // ---- Buttons ----
  int CheckState(int id) const { return static_cast<int>(SendMessageA(Control(id), BM_GETCHECK, 0, 0)); }
  // A mouse click on the button (BM_CLICK: press and release over it).
  void Click(int id) const { SendMessageA(Control(id), BM_CLICK, 0, 0); }
  // The WM_COMMAND that a click on control `id` sends, sent to the dialog.
  void Command(int id) const {
    SendMessageA(hwnd_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Control(id)));
  }

  // ---- Keyboard ----
  // A key press posted to the control that has the keyboard focus (the
  // dialog itself when none has), so that the modal loop's dialog message
  // handling treats it as a person's key press (Esc: command 2, Enter: the
  // default button). Returns when the key has been handled or the dialog
  // has closed.
  void PressKey(UINT vk) const {
    GUITHREADINFO gti{};
    gti.cbSize = sizeof gti;
    HWND target = hwnd_;
    if (GetGUIThreadInfo(thread_, &gti) && gti.hwndFocus &&
        (gti.hwndFocus == hwnd_ || IsChild(hwnd_, gti.hwndFocus)))
      target = gti.hwndFocus;
    LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(target, WM_KEYDOWN, vk, scan | 1);
    PostMessageW(target, WM_KEYUP, vk, scan | 1 | (static_cast<LPARAM>(3) << 30));
    Settle();
  }
  // Waits until the dialog's thread has handled everything posted to it so
  // far, or the dialog has closed. False on timeout.
  bool Settle(DWORD timeout_ms = kTimeoutMs) const {
    if (!hook_) return false;
    ResetEvent(event_);
    if (!PostMessageW(hwnd_, WM_NULL, detail::kMarker, 0)) return !IsOpen();
    DWORD start = GetTickCount();
    while (WaitForSingleObject(event_, 10) == WAIT_TIMEOUT) {
      if (!IsOpen()) return true;
      if (GetTickCount() - start > timeout_ms) return false;
    }
    return true;
  }

  // ---- Layout ----
  // Every child window in z-order (which is template order).
  std::vector<ControlInfo> Snapshot() const {
    std::vector<ControlInfo> out;
    RECT base{0, 0, 4, 8};
    MapDialogRect(hwnd_, &base);
    for (HWND c = GetWindow(hwnd_, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
      ControlInfo info;
      char cls[64] = {};
      GetClassNameA(c, cls, sizeof cls);
      info.class_name = cls;
      info.id = GetDlgCtrlID(c);
      info.style = static_cast<DWORD>(GetWindowLongW(c, GWL_STYLE));
      RECT r;
      GetWindowRect(c, &r);
      MapWindowPoints(HWND_DESKTOP, hwnd_, reinterpret_cast<POINT*>(&r), 2);
      info.dlu = {detail::ToDlu(r.left, base.right, 4), detail::ToDlu(r.top, base.bottom, 8),
                  detail::ToDlu(r.right - r.left, base.right, 4), detail::ToDlu(r.bottom - r.top, base.bottom, 8)};
      info.text = detail::WindowText(c);
      out.push_back(std::move(info));
    }
    return out;
  }
  // The size of the dialog's client area in dialog units.
  DluRect ClientDlu() const {
    RECT base{0, 0, 4, 8}, r;
    MapDialogRect(hwnd_, &base);
    GetClientRect(hwnd_, &r);
    return {0, 0, detail::ToDlu(r.right, base.right, 4), detail::ToDlu(r.bottom, base.bottom, 8)};
  }

 private:
  HWND hwnd_;
  DWORD thread_;
  HANDLE event_;
  HHOOK hook_;
};

// Drives the next dialog that the constructing thread opens (see the top of
// this file): dialogs already open when the script is made are passed over.
// Construct it before calling the export; call Finish() after.
class Script {
 public:
  explicit Script(std::function<void(Dialog&)> body, const wchar_t* title = nullptr,
                  DWORD timeout_ms = kTimeoutMs)
      : owner_thread_(GetCurrentThreadId()) {
    EnumThreadWindows(owner_thread_, detail::CollectDialogs, reinterpret_cast<LPARAM>(&already_open_));
    thread_ = std::thread([this, body = std::move(body), title, timeout_ms] {
      HWND w = WaitForDialog(owner_thread_, title, timeout_ms, &already_open_);
      if (!w) {
        error_ = "no dialog appeared within the timeout";
        return;
      }
      found_ = true;
      {
        Dialog d(w);
        d.Settle(timeout_ms);
        body(d);
      }
      if (!WaitForClose(w, timeout_ms)) {
        error_ = "the dialog was still open when the script ended; ended its loop with WM_QUIT";
        PostThreadMessageW(owner_thread_, WM_QUIT, 0, 0);
        WaitForClose(w, timeout_ms);
      }
    });
  }
  ~Script() { Finish(); }
  Script(const Script&) = delete;
  Script& operator=(const Script&) = delete;

  // Waits for the script thread. True when the dialog appeared, the body ran
  // and the dialog closed by itself.
  bool Finish() {
    if (thread_.joinable()) thread_.join();
    return found_ && error_.empty();
  }
  bool found() const { return found_; }
  const std::string& error() const { return error_; }

 private:
  DWORD owner_thread_;
  std::vector<HWND> already_open_;
  std::thread thread_;
  bool found_ = false;
  std::string error_;
};

}  // namespace fldlg

#endif
