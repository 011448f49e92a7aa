#include "support/dialog_driver.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>

namespace fldlg {

namespace {

std::wstring WindowText(HWND w) {
  int n = GetWindowTextLengthW(w);
  std::wstring s(static_cast<size_t>(n) + 1, L'\0');
  n = GetWindowTextW(w, s.data(), n + 1);
  s.resize(static_cast<size_t>(n > 0 ? n : 0));
  return s;
}

bool IsDialogClass(HWND w) {
  char cls[16] = {};
  GetClassNameA(w, cls, sizeof cls);
  return lstrcmpA(cls, "#32770") == 0;
}

struct FindArgs {
  const wchar_t* title;
  const std::vector<HWND>* ignore;
  HWND found;
};

BOOL CALLBACK CollectDialogs(HWND w, LPARAM p) {
  if (IsDialogClass(w)) reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
  return TRUE;
}

BOOL CALLBACK FindDialog(HWND w, LPARAM p) {
  auto* a = reinterpret_cast<FindArgs*>(p);
  if (!IsDialogClass(w) || !IsWindowVisible(w) || !IsWindowEnabled(w)) return TRUE;
  if (a->title && WindowText(w) != a->title) return TRUE;
  if (a->ignore && std::find(a->ignore->begin(), a->ignore->end(), w) != a->ignore->end()) return TRUE;
  a->found = w;
  return FALSE;
}

// Dialog units from pixels, the inverse of the platform's MulDiv rounding.
int ToDlu(int px, int base, int per) {
  if (base <= 0) return 0;
  int d = MulDiv(px, per, base);
  for (int c : {d, d - 1, d + 1})
    if (MulDiv(c, base, per) == px) return c;
  return d;
}

// Work done on the dialog's own thread: a WH_GETMESSAGE hook on that thread
// acts on marker messages (WM_NULL with these wParam values) when the thread
// takes them out of its queue, which it does only after every message posted
// before the marker has been handled.
constexpr WPARAM kSettleMarker = 0x464C4452;  // lParam: the event to set
constexpr WPARAM kEndMarker = 0x464C4445;     // lParam: the dialog's result

LRESULT CALLBACK GetMessageHook(int code, WPARAM wp, LPARAM lp) {
  if (code == HC_ACTION && wp == PM_REMOVE) {
    const MSG* m = reinterpret_cast<const MSG*>(lp);
    if (m->message == WM_NULL && m->wParam == kSettleMarker) SetEvent(reinterpret_cast<HANDLE>(m->lParam));
    if (m->message == WM_NULL && m->wParam == kEndMarker) EndDialog(m->hwnd, m->lParam);
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

}  // namespace

HWND WaitForDialog(DWORD thread, const wchar_t* title, DWORD timeout_ms, const std::vector<HWND>* ignore,
                   HANDLE give_up) {
  const DWORD start = GetTickCount();
  for (;;) {
    const bool last_look = give_up && WaitForSingleObject(give_up, 0) == WAIT_OBJECT_0;
    FindArgs a{title, ignore, nullptr};
    EnumThreadWindows(thread, FindDialog, reinterpret_cast<LPARAM>(&a));
    if (a.found || last_look || GetTickCount() - start > timeout_ms) return a.found;
    if (give_up)
      WaitForSingleObject(give_up, 10);
    else
      Sleep(10);
  }
}

bool WaitForClose(HWND dialog, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  while (IsWindow(dialog)) {
    if (GetTickCount() - start > timeout_ms) return false;
    Sleep(10);
  }
  return true;
}

// ---------------------------------------------------------------- Dialog

Dialog::Dialog(HWND hwnd)
    : hwnd_(hwnd),
      thread_(GetWindowThreadProcessId(hwnd, nullptr)),
      seen_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      pending_(false),
      hook_(SetWindowsHookExW(WH_GETMESSAGE, GetMessageHook, nullptr, thread_)) {}

Dialog::~Dialog() {
  if (hook_) UnhookWindowsHookEx(hook_);
  // A marker still queued for an open dialog would set the event later, so
  // the event stays; a closed dialog's queued messages are gone with it.
  if (!pending_ || !IsOpen()) CloseHandle(seen_);
}

std::wstring Dialog::Title() const { return WindowText(hwnd_); }

int Dialog::ComboCount(int id) const { return static_cast<int>(SendMessageA(Control(id), CB_GETCOUNT, 0, 0)); }

std::string Dialog::ComboItem(int id, int index) const {
  HWND c = Control(id);
  LRESULT n = SendMessageA(c, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (n < 0) return "<no item " + std::to_string(index) + ">";
  std::string s(static_cast<size_t>(n) + 1, '\0');
  n = SendMessageA(c, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.data()));
  s.resize(static_cast<size_t>(n > 0 ? n : 0));
  return s;
}

std::vector<std::string> Dialog::ComboItems(int id) const {
  std::vector<std::string> items;
  int n = ComboCount(id);
  for (int i = 0; i < n; ++i) items.push_back(ComboItem(id, i));
  return items;
}

int Dialog::ComboSelection(int id) const {
  return static_cast<int>(SendMessageA(Control(id), CB_GETCURSEL, 0, 0));
}

void Dialog::Select(int id, int index) const {
  HWND c = Control(id);
  SendMessageA(c, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageA(hwnd_, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(c));
}

std::string Dialog::Text(int id) const {
  HWND c = Control(id);
  LRESULT n = SendMessageA(c, WM_GETTEXTLENGTH, 0, 0);
  std::string s(static_cast<size_t>(n > 0 ? n : 0) + 1, '\0');
  n = SendMessageA(c, WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(s.data()));
  s.resize(static_cast<size_t>(n > 0 ? n : 0));
  return s;
}

void Dialog::SetText(int id, const std::string& text) const {
  SendMessageA(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string Dialog::TreeSelection(int id) const {
  // The tree lives in another thread of this process: the item and its text
  // buffer are read there through the pointers.
  HWND tree = Control(id);
  char text[MAX_PATH] = {};
  TVITEMA item{};
  item.mask = TVIF_TEXT;
  item.hItem = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  item.pszText = text;
  item.cchTextMax = MAX_PATH;
  if (!item.hItem || !SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return "";
  return text;
}

int Dialog::CheckState(int id) const { return static_cast<int>(SendMessageA(Control(id), BM_GETCHECK, 0, 0)); }

void Dialog::Click(int id) const { SendMessageA(Control(id), BM_CLICK, 0, 0); }

void Dialog::Command(int id) const {
  SendMessageA(hwnd_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Control(id)));
}

void Dialog::PressKey(UINT vk) const {
  GUITHREADINFO gti{};
  gti.cbSize = sizeof gti;
  HWND target = hwnd_;
  if (GetGUIThreadInfo(thread_, &gti) && gti.hwndFocus && (gti.hwndFocus == hwnd_ || IsChild(hwnd_, gti.hwndFocus)))
    target = gti.hwndFocus;
  LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
  PostMessageW(target, WM_KEYDOWN, vk, scan | 1);
  PostMessageW(target, WM_KEYUP, vk, scan | 1 | (static_cast<LPARAM>(3) << 30));
  Settle();
}

bool Dialog::Settle(DWORD timeout_ms) const {
  if (!hook_ || !seen_) return false;
  ResetEvent(seen_);
  if (!PostMessageW(hwnd_, WM_NULL, kSettleMarker, reinterpret_cast<LPARAM>(seen_))) return !IsOpen();
  pending_ = true;
  const DWORD start = GetTickCount();
  while (WaitForSingleObject(seen_, 10) == WAIT_TIMEOUT) {
    if (!IsOpen()) return true;
    if (GetTickCount() - start > timeout_ms) return false;
  }
  pending_ = false;
  return true;
}

void Dialog::End(INT_PTR result) const { PostMessageW(hwnd_, WM_NULL, kEndMarker, static_cast<LPARAM>(result)); }

std::vector<ControlInfo> Dialog::Snapshot() const {
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
    info.dlu = {ToDlu(r.left, base.right, 4), ToDlu(r.top, base.bottom, 8), ToDlu(r.right - r.left, base.right, 4),
                ToDlu(r.bottom - r.top, base.bottom, 8)};
    info.text = WindowText(c);
    out.push_back(std::move(info));
  }
  return out;
}

DluRect Dialog::ClientDlu() const {
  RECT base{0, 0, 4, 8}, r;
  MapDialogRect(hwnd_, &base);
  GetClientRect(hwnd_, &r);
  return {0, 0, ToDlu(r.right, base.right, 4), ToDlu(r.bottom, base.bottom, 8)};
}

// ---------------------------------------------------------------- Script

Script::Script(std::function<void(Dialog&)> body, const wchar_t* title, DWORD timeout_ms)
    : body_(std::move(body)),
      title_(title),
      timeout_ms_(timeout_ms),
      owner_thread_(GetCurrentThreadId()),
      returned_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  EnumThreadWindows(owner_thread_, CollectDialogs, reinterpret_cast<LPARAM>(&already_open_));
  thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
  if (!thread_) error_ = "cannot start the script's thread";
}

Script::~Script() {
  Finish();
  CloseHandle(returned_);
}

DWORD WINAPI Script::Run(void* self) {
  static_cast<Script*>(self)->Drive();
  return 0;
}

void Script::Drive() {
  HWND w = WaitForDialog(owner_thread_, title_, timeout_ms_, &already_open_, returned_);
  if (!w) {
    error_ = "no dialog appeared";
    return;
  }
  found_ = true;
  Dialog d(w);
  d.Settle(timeout_ms_);
  body_(d);
  if (!WaitForClose(w, timeout_ms_)) {
    error_ = "the dialog was still open when the script ended; ended it with EndDialog";
    d.End(IDCANCEL);
    WaitForClose(w, timeout_ms_);
  }
}

bool Script::Finish() {
  if (thread_) {
    SetEvent(returned_);
    // Once the call has returned, the script's waits end at once; only a
    // body that goes on waiting by itself keeps the thread.
    if (WaitForSingleObject(thread_, 4 * timeout_ms_) != WAIT_OBJECT_0) {
      // The thread still uses this script and what its body refers to, so
      // nothing can go on safely.
      std::fprintf(stderr, "dialog driver: the script's thread did not end; stopping\n");
      std::fflush(stderr);
      ExitProcess(3);
    }
    CloseHandle(thread_);
    thread_ = nullptr;
  }
  return found_ && error_.empty();
}

}  // namespace fldlg
