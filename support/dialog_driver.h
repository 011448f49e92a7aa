// Driving a library dialog from a second thread, as a person at the screen
// would: wait for it to appear, read what its controls show, choose, click,
// press keys, and wait for it to close. The tests, the benchmarks and the
// stand-in host's tour all drive dialogs this way.
//
// A dialog export runs its modal loop on the calling thread, so that thread
// calls the export and a Script thread drives the dialog:
//
//   fldlg::Script script([](fldlg::Dialog& d) {
//     EXPECT_EQ(d.ComboItems(10).size(), 4u);   // what the list shows (CP932 bytes)
//     d.Select(11, 3);                           // choose item 3 of combo box 11
//     d.PressKey(VK_RETURN);                     // through the dialog's keyboard handling
//   }, L"デジタル表示設定");                      // title, or null for any dialog
//   int32_t r = call_dlg100(...);                // returns when the dialog has closed
//   ASSERT_TRUE(script.Finish()) << script.error();
//
// Every wait has a timeout. If no dialog has appeared when the call returns
// (or when the timeout has passed), Finish() fails. If the dialog is still
// open when the body has returned and the timeout has passed, the script ends
// it on its own thread (EndDialog with IDCANCEL; the export then returns what
// it makes of that) and Finish() fails: a dialog that does not close fails
// the run instead of hanging it.
//
// Scripts run on Win32 threads, so the driver works in programs built without
// C++ threads (the stand-in host). In a test, use EXPECT_* inside the body
// (an ASSERT_* only returns from the body). Narrow combo box texts are read
// with the "A" messages, so they arrive as code page 932 bytes (the Wine
// prefix runs with LC_ALL=ja_JP.UTF-8); compare them with support::Cp932(u8"...")
// or with hex bytes.
//
// The API is small on purpose; extend it only with what every dialog driver
// needs.
#ifndef FARELIB_SUPPORT_DIALOG_DRIVER_H
#define FARELIB_SUPPORT_DIALOG_DRIVER_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace fldlg {

// How long a driver waits for a dialog to come, settle or close. Only a
// failing run waits this long; it is generous because on a loaded machine
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

// The first dialog window (class "#32770") of thread `thread` that a person
// can use (visible and enabled: a dialog that has opened another over itself
// is disabled) and whose title is `title` (any title when null), waiting up
// to timeout_ms for it; null when none came. Dialogs in `ignore` are passed
// over. The wait also ends, after one last look, when `give_up` (if given)
// is signalled.
HWND WaitForDialog(DWORD thread, const wchar_t* title = nullptr, DWORD timeout_ms = kTimeoutMs,
                   const std::vector<HWND>* ignore = nullptr, HANDLE give_up = nullptr);

// True when `dialog` is destroyed within timeout_ms.
bool WaitForClose(HWND dialog, DWORD timeout_ms = kTimeoutMs);

// A running dialog of another thread. Every call is synchronous: when it
// returns, the dialog has handled it (or has closed).
class Dialog {
 public:
  explicit Dialog(HWND hwnd);
  ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  HWND hwnd() const { return hwnd_; }
  bool IsOpen() const { return IsWindow(hwnd_) != FALSE; }
  std::wstring Title() const;
  HWND Control(int id) const { return GetDlgItem(hwnd_, id); }

  // ---- Combo boxes (narrow messages: code page 932 bytes) ----
  int ComboCount(int id) const;
  std::string ComboItem(int id, int index) const;
  std::vector<std::string> ComboItems(int id) const;
  // CB_GETCURSEL: the selected index, or -1 when no item is selected.
  int ComboSelection(int id) const;
  // Chooses item `index` as a choice from the dropped-down list does: the
  // selection changes and the dialog gets CBN_SELCHANGE.
  void Select(int id, int index) const;

  // ---- Text (narrow messages: code page 932 bytes) ----
  // What control `id` shows (WM_GETTEXT).
  std::string Text(int id) const;
  // Replaces what control `id` shows, as typing over it would: WM_SETTEXT,
  // which an edit box (or a combo box's edit part) reports with EN_CHANGE.
  void SetText(int id, const std::string& text) const;
  // The text of the selected item of tree view `id`; empty when none is.
  std::string TreeSelection(int id) const;

  // ---- Buttons ----
  int CheckState(int id) const;
  // A mouse click on the button (BM_CLICK: press and release over it).
  void Click(int id) const;
  // The WM_COMMAND that a click on control `id` sends, sent to the dialog.
  void Command(int id) const;

  // ---- Keyboard ----
  // A key press posted to the control that has the keyboard focus (the
  // dialog itself when none has), so that the modal loop's dialog message
  // handling treats it as a person's key press (Esc: command 2, Enter: the
  // default button). Returns when the key has been handled or the dialog
  // has closed.
  void PressKey(UINT vk) const;
  // Waits until the dialog's thread has handled everything posted to it so
  // far, or the dialog has closed. False on timeout.
  bool Settle(DWORD timeout_ms = kTimeoutMs) const;
  // Ends the dialog on its own thread, as its own code would: EndDialog with
  // `result`. Returns at once; WaitForClose tells when it has closed.
  void End(INT_PTR result) const;

  // ---- Layout ----
  // Every child window in z-order (which is template order).
  std::vector<ControlInfo> Snapshot() const;
  // The size of the dialog's client area in dialog units.
  DluRect ClientDlu() const;

 private:
  HWND hwnd_;
  DWORD thread_;
  HANDLE seen_;           // set by the dialog's thread when it takes a marker
  mutable bool pending_;  // a marker may still be in the dialog's queue
  HHOOK hook_;
};

// Drives the next dialog that the constructing thread opens (see the top of
// this file): dialogs already open when the script is made are passed over.
// Construct it before calling the export; call Finish() after.
class Script {
 public:
  explicit Script(std::function<void(Dialog&)> body, const wchar_t* title = nullptr,
                  DWORD timeout_ms = kTimeoutMs);
  ~Script();
  Script(const Script&) = delete;
  Script& operator=(const Script&) = delete;

  // Tells the script that the call has returned and waits for the script's
  // thread. True when the dialog appeared, the body ran and the dialog
  // closed by itself.
  bool Finish();
  bool found() const { return found_; }
  const std::string& error() const { return error_; }

 private:
  static DWORD WINAPI Run(void* self);
  void Drive();

  std::function<void(Dialog&)> body_;
  const wchar_t* title_;
  DWORD timeout_ms_;
  DWORD owner_thread_;
  std::vector<HWND> already_open_;
  HANDLE returned_;  // set by Finish(): no dialog of the call can come any more
  HANDLE thread_;
  bool found_ = false;
  std::string error_;
};

}  // namespace fldlg

#endif
