// The About box driven as a person would, in both DLLs. The link button must
// not start a browser here: ShellExecuteA is replaced in the DLL's import
// table by a recorder. LoadImageA and DeleteObject are watched the same way,
// to count every bitmap the dialog loads and releases.
#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "tests/wine/blackbox/dll_fixtures.h"
#include "dialogs/control_ids.h"
#include "resources/resource_ids.h"
#include "support/dialog_driver.h"
#include "support/hex.h"
#include "support/import_hook.h"
#include "support/nesting_host.h"
#include "support/text.h"

namespace {

const wchar_t kTitle[] = L"Zelvoのバージョン情報";
using farelib::dlg::kAboutLinkButton;
using farelib::dlg::kAboutPicture;
using farelib::dlg::kAboutText;
constexpr int kBoard = FARELIB_BITMAP_BOARD, kBus = FARELIB_BITMAP_BUS;

struct ShellCall {
  HWND window;
  std::string verb, file, parameters, directory;
  bool parameters_null, directory_null;
  INT show;
  const char* file_pointer;
};

// What the DLL asked of the platform, recorded by the replaced imports.
struct Recorder {
  std::mutex lock;
  std::vector<ShellCall> shell;
  std::vector<HANDLE> loaded;
  std::vector<HGDIOBJ> deleted;
  void* load_image = nullptr;
  void* delete_object = nullptr;
};
Recorder g_rec;

std::string OrNull(const char* s) { return s ? s : "<null>"; }

HINSTANCE WINAPI FakeShellExecuteA(HWND window, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                                   INT show) {
  std::lock_guard<std::mutex> g(g_rec.lock);
  g_rec.shell.push_back({window, OrNull(verb), OrNull(file), OrNull(parameters), OrNull(directory),
                         parameters == nullptr, directory == nullptr, show, file});
  return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));  // "success", no browser
}

HANDLE WINAPI RecordingLoadImageA(HINSTANCE module, LPCSTR name, UINT type, int cx, int cy, UINT flags) {
  auto real = reinterpret_cast<decltype(&LoadImageA)>(g_rec.load_image);
  HANDLE h = real(module, name, type, cx, cy, flags);
  std::lock_guard<std::mutex> g(g_rec.lock);
  g_rec.loaded.push_back(h);
  return h;
}

BOOL WINAPI RecordingDeleteObject(HGDIOBJ object) {
  {
    std::lock_guard<std::mutex> g(g_rec.lock);
    g_rec.deleted.push_back(object);
  }
  return reinterpret_cast<decltype(&DeleteObject)>(g_rec.delete_object)(object);
}

// The pixels of a bitmap as 32-bit colours, for telling the two pictures apart.
std::vector<DWORD> Pixels(HBITMAP bitmap) {
  BITMAP bm{};
  if (!GetObjectA(bitmap, sizeof bm, &bm)) return {};
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = bm.bmWidth;
  bi.bmiHeader.biHeight = -bm.bmHeight;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  std::vector<DWORD> px(static_cast<size_t>(bm.bmWidth) * static_cast<size_t>(bm.bmHeight));
  HDC dc = GetDC(nullptr);
  int rows = GetDIBits(dc, bitmap, 0, static_cast<UINT>(bm.bmHeight), px.data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  if (rows != bm.bmHeight) return {};
  return px;
}

class AboutDialog : public blackbox::EachDll {
 protected:
  void SetUp() override {
    EachDll::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(farelib.Call_dlg110 && farelib.VantrelHpURL);
    shell_hook = std::make_unique<support::ImportHook>(farelib.module, "shell32.dll", "ShellExecuteA",
                                                      reinterpret_cast<void*>(&FakeShellExecuteA));
    load_hook = std::make_unique<support::ImportHook>(farelib.module, "user32.dll", "LoadImageA",
                                                     reinterpret_cast<void*>(&RecordingLoadImageA));
    delete_hook = std::make_unique<support::ImportHook>(farelib.module, "gdi32.dll", "DeleteObject",
                                                       reinterpret_cast<void*>(&RecordingDeleteObject));
    ASSERT_TRUE(shell_hook->installed() && load_hook->installed() && delete_hook->installed())
        << "the DLL imports ShellExecuteA, LoadImageA and DeleteObject";
    g_rec.load_image = load_hook->original();
    g_rec.delete_object = delete_hook->original();
  }

  // Runs the About box with body driving it; returns its result.
  int32_t Run(int32_t selector, const char* text, std::function<void(fldlg::Dialog&)> body, HWND owner = nullptr) {
    fldlg::Script script(std::move(body), kTitle);
    int32_t r = farelib.Call_dlg110(owner, selector, text);
    EXPECT_TRUE(script.Finish()) << script.error();
    return r;
  }

  // The library's own copy of picture id, for comparison.
  std::vector<DWORD> Reference(int id) {
    HANDLE h = LoadImageA(farelib.module, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTSIZE);
    EXPECT_NE(h, nullptr) << "bitmap " << id;
    std::vector<DWORD> px = Pixels(static_cast<HBITMAP>(h));
    DeleteObject(h);
    return px;
  }

  std::unique_ptr<support::ImportHook> shell_hook, load_hook, delete_hook;
};

TEST_P(AboutDialog, SelectorChoosesThePicture) {
  const std::vector<DWORD> board = Reference(kBoard), bus = Reference(kBus);
  ASSERT_FALSE(board.empty());
  ASSERT_NE(board, bus) << "two different pictures";
  struct Case {
    int32_t selector;
    int want;
  } cases[] = {{1, kBoard}, {0, kBus}, {2, kBus}, {-1, kBus}};
  for (const auto& c : cases) {
    int32_t r = Run(c.selector, "", [&](fldlg::Dialog& d) {
      HWND control = d.Control(kAboutPicture);
      auto shown = reinterpret_cast<HBITMAP>(SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0));
      BITMAP bm{};
      ASSERT_NE(GetObjectA(shown, sizeof bm, &bm), 0) << "selector " << c.selector << ": a picture is shown";
      EXPECT_EQ(bm.bmWidth, 210) << "selector " << c.selector;
      EXPECT_EQ(bm.bmHeight, 165) << "selector " << c.selector;
      RECT rc;
      GetClientRect(control, &rc);
      EXPECT_EQ(rc.right, 210) << "the picture control sizes itself to the picture";
      EXPECT_EQ(rc.bottom, 165);
      EXPECT_TRUE(Pixels(shown) == (c.want == kBoard ? board : bus))
          << "selector " << c.selector << " should show bitmap " << c.want;
      d.PressKey(VK_RETURN);
    });
    EXPECT_EQ(r, 1) << "selector " << c.selector;
  }
}

TEST_P(AboutDialog, ShowsTheHostsTextLineByLine) {
  const std::string two_lines = support::Cp932(u8"運賃表示器 Zelvo 4.0\r\n(C) Vantrel");
  const std::string other = support::Cp932(u8"整理券");
  struct Case {
    const char* text;
    std::string shown;
    int lines;
  } cases[] = {{two_lines.c_str(), two_lines, 2}, {other.c_str(), other, 1}, {nullptr, "", 1}, {"", "", 1}};
  for (const auto& c : cases) {
    Run(0, c.text, [&](fldlg::Dialog& d) {
      HWND box = d.Control(kAboutText);
      char buf[256] = {};
      GetWindowTextA(box, buf, sizeof buf);
      EXPECT_EQ(support::Hex(buf), support::Hex(c.shown)) << "the box shows this call's text";
      EXPECT_EQ(SendMessageA(box, EM_GETLINECOUNT, 0, 0), c.lines) << support::Hex(c.shown);
      EXPECT_NE(GetWindowLongA(box, GWL_STYLE) & ES_READONLY, 0) << "read-only";
      d.PressKey(VK_RETURN);
    });
  }
}

TEST_P(AboutDialog, LinkOpensTheHomepageAndOnlyOkCloses) {
  const std::string url = farelib.VantrelHpURL();
  g_rec.shell.clear();
  HWND shown = nullptr;
  int32_t r = Run(1, "about", [&](fldlg::Dialog& d) {
    shown = d.hwnd();
    d.Click(kAboutLinkButton);
    d.Click(kAboutLinkButton);
    EXPECT_TRUE(d.IsOpen()) << "the link leaves the dialog open";
    d.PressKey(VK_ESCAPE);
    EXPECT_TRUE(d.IsOpen()) << "Esc does nothing";
    d.Command(IDCANCEL);
    EXPECT_TRUE(d.IsOpen()) << "command 2 does nothing";
    d.PressKey(VK_RETURN);
  });
  EXPECT_EQ(r, 1) << "Enter is OK";
  ASSERT_EQ(g_rec.shell.size(), 2u) << "two clicks open the homepage twice";
  for (const ShellCall& c : g_rec.shell) {
    EXPECT_EQ(c.window, shown);
    EXPECT_EQ(c.verb, "open");
    EXPECT_EQ(c.file, url);
    EXPECT_EQ(c.parameters, "");
    EXPECT_EQ(c.directory, "");
    EXPECT_FALSE(c.parameters_null || c.directory_null) << "empty strings, not null";
    EXPECT_EQ(c.show, SW_SHOWNORMAL);
  }
  if (std::string(GetParam()) == "farelib4.dll") {  // farelib3's block may be reused after its release
    EXPECT_NE(g_rec.shell[0].file_pointer, g_rec.shell[1].file_pointer) << "the URL is fetched afresh at each click";
  }
}

// farelib3 releases the URL text once the shell has it; farelib4 keeps it, like
// any text VantrelHpURL hands out.
TEST_P(AboutDialog, HomepageTextKeptOrReleased) {
  const bool released = std::string(GetParam()) == "farelib3.dll";
  g_rec.shell.clear();
  Run(0, "", [&](fldlg::Dialog& d) {
    d.Click(kAboutLinkButton);
    d.PressKey(VK_RETURN);
  });
  ASSERT_EQ(g_rec.shell.size(), 1u);
  const char* text = g_rec.shell[0].file_pointer;
  BOOL live = HeapValidate(GetProcessHeap(), 0, text - 4);
  EXPECT_EQ(live == FALSE, released) << GetParam() << (released ? ": released" : ": kept");
  if (!released) {
    EXPECT_EQ(std::string(text), farelib.VantrelHpURL());
  }
}

TEST_P(AboutDialog, EveryBitmapReleasedExactlyOnce) {
  g_rec.loaded.clear();
  g_rec.deleted.clear();
  for (int32_t selector : {1, 0, 1})
    EXPECT_EQ(Run(selector, "", [](fldlg::Dialog& d) { d.PressKey(VK_RETURN); }), 1);
  // Destroyed with its owner, without OK.
  HWND owner = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                               nullptr, nullptr);
  ASSERT_NE(owner, nullptr);
  Run(1, "", [owner](fldlg::Dialog&) { PostMessageA(owner, WM_CLOSE, 0, 0); }, owner);
  EXPECT_FALSE(IsWindow(owner));

  ASSERT_EQ(g_rec.loaded.size(), 4u) << "one picture per opening";
  for (HANDLE b : g_rec.loaded) {
    EXPECT_NE(b, nullptr);
    int n = 0;
    for (HGDIOBJ d : g_rec.deleted) n += (d == b);
    EXPECT_EQ(n, 1) << "each picture is released exactly once";
    EXPECT_EQ(GetObjectType(b), 0u) << "and is gone";
  }
  EXPECT_EQ(g_rec.deleted.size(), g_rec.loaded.size()) << "nothing else is released";
}

TEST_P(AboutDialog, NoDialogWithoutAValidOwner) {
  g_rec.loaded.clear();
  HWND not_a_window = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234));
  EXPECT_EQ(farelib.Call_dlg110(not_a_window, 1, "text"), 0) << "an owner that is no window";
  EXPECT_TRUE(g_rec.loaded.empty()) << "no picture loaded";
}

// A second About box opened over the first (from a host window that the
// first one's modal loop serves): each releases its own picture, once.
TEST_P(AboutDialog, NestedBoxesReleaseTheirOwnPictures) {
  support::NestingHost host;
  ASSERT_TRUE(host.ok());
  g_rec.loaded.clear();
  g_rec.deleted.clear();
  int32_t inner_r = -2;
  bool inner_driven = false;
  int32_t r = Run(1, "first", [&](fldlg::Dialog& d) {
    bool ran = host.RunThere([&] {
      fldlg::Script script([](fldlg::Dialog& second) { second.Click(IDOK); }, kTitle);
      inner_r = farelib.Call_dlg110(d.hwnd(), 0, "second");
      inner_driven = script.Finish();
    }, fldlg::kTimeoutMs);
    EXPECT_TRUE(ran) << "the nested box did not end";
    auto shown = reinterpret_cast<HBITMAP>(SendMessageA(d.Control(kAboutPicture), STM_GETIMAGE, IMAGE_BITMAP, 0));
    EXPECT_NE(GetObjectType(shown), 0u) << "the first box's picture is still there";
    d.Click(IDOK);
  });
  EXPECT_TRUE(inner_driven);
  EXPECT_EQ(inner_r, 1);
  EXPECT_EQ(r, 1);
  ASSERT_EQ(g_rec.loaded.size(), 2u);
  for (HANDLE b : g_rec.loaded) {
    int n = 0;
    for (HGDIOBJ x : g_rec.deleted) n += (x == b);
    EXPECT_EQ(n, 1) << "each picture is released exactly once";
  }
  EXPECT_EQ(g_rec.deleted.size(), 2u);
}

FARELIB_FOR_EACH_DLL(AboutDialog);

}  // namespace
