// A host window that an open dialog's modal loop still serves: a test drives
// the open dialog from its script thread and has the dialog's thread make a
// second call through this window, as a host whose other windows stay live
// could. Create it on the thread that calls the dialog export.
#ifndef FARELIB_SUPPORT_NESTING_HOST_H
#define FARELIB_SUPPORT_NESTING_HOST_H

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>

namespace support {

class NestingHost {
 public:
  NestingHost() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"farelib nesting host window";
    RegisterClassW(&wc);
    window_ = CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                              wc.hInstance, nullptr);
  }
  ~NestingHost() { DestroyWindow(window_); }
  NestingHost(const NestingHost&) = delete;
  NestingHost& operator=(const NestingHost&) = delete;

  bool ok() const { return window_ != nullptr; }

  // From another thread: runs call on the window's thread (inside whatever
  // modal loop it is in) and waits until it has returned. False on timeout;
  // the call may still run later, so the job outlives this wait.
  bool RunThere(std::function<void()> call, DWORD timeout_ms) {
    auto job = std::make_shared<Job>();
    job->call = std::move(call);
    auto* ref = new std::shared_ptr<Job>(job);
    if (!PostMessageW(window_, WM_APP, 0, reinterpret_cast<LPARAM>(ref))) {
      delete ref;
      return false;
    }
    for (DWORD start = GetTickCount(); !job->done;) {
      if (GetTickCount() - start > timeout_ms) return false;
      Sleep(10);
    }
    return true;
  }

 private:
  struct Job {
    std::function<void()> call;
    std::atomic<bool> done{false};
  };
  static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_APP) {
      std::unique_ptr<std::shared_ptr<Job>> ref(reinterpret_cast<std::shared_ptr<Job>*>(lp));
      (*ref)->call();
      (*ref)->done = true;
      return 0;
    }
    return DefWindowProcW(w, m, wp, lp);
  }
  HWND window_;
};

}  // namespace support

#endif
