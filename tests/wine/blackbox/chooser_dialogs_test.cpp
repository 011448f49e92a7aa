// The choosers end to end: the platform's own file, colour and folder
// choosers, driven by a simulated user on a second thread (dialog_driver.h).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/wine/blackbox/dll_fixtures.h"
#include "support/choosers.h"
#include "support/dialog_driver.h"
#include "support/library.h"

namespace {

using fldlg::kAddCustomColour;
using fldlg::kBlueBox;
using fldlg::kDefineCustomColours;
using fldlg::kFileNameBox;
using fldlg::kFolderTitleText;
using fldlg::kGreenBox;
using fldlg::kRedBox;

const char kFilter[] = "CSV (*.csv)\0*.csv\0All files\0*.*\0";

// The result text, after checking that it is a well-formed library string.
std::string Result(const char* r) {
  if (r == nullptr) {
    ADD_FAILURE() << "a text result is never null";
    return "<null>";
  }
  EXPECT_EQ(farelib_length(r), static_cast<int32_t>(std::strlen(r))) << "length prefix of \"" << r << '"';
  return r;
}

std::string CurrentDirectory() {
  char b[MAX_PATH];
  DWORD n = GetCurrentDirectoryA(MAX_PATH, b);
  return std::string(b, n);
}

// A visible dialog of `thread` other than `except` (a message box over a
// chooser), waited for up to the driver's timeout.
struct OtherDialog {
  HWND except, found;
};
BOOL CALLBACK FindOtherDialog(HWND w, LPARAM p) {
  auto* a = reinterpret_cast<OtherDialog*>(p);
  char cls[16] = {};
  GetClassNameA(w, cls, sizeof cls);
  if (w == a->except || lstrcmpA(cls, "#32770") != 0 || !IsWindowVisible(w)) return TRUE;
  a->found = w;
  return FALSE;
}
HWND WaitForOtherDialog(DWORD thread, HWND except) {
  OtherDialog a{except, nullptr};
  DWORD start = GetTickCount();
  while (!a.found && GetTickCount() - start < fldlg::kTimeoutMs) {
    EnumThreadWindows(thread, FindOtherDialog, reinterpret_cast<LPARAM>(&a));
    if (!a.found) Sleep(10);
  }
  return a.found;
}

// Presses OK without waiting for it to be handled (its handling may open a
// modal prompt), then lets the dialog's thread catch up.
void PostOk(fldlg::Dialog& d) {
  PostMessageA(d.hwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(d.Control(IDOK)));
  d.Settle();
}

// A scratch folder of this test process, with fare.csv in it and a
// sub-folder "routes" with route.csv; removed again afterwards.
class Scratch {
 public:
  // In the temporary folder, or in `parent` (a path ending in a backslash).
  explicit Scratch(const std::string& parent = TempFolder()) : temp_(parent) {
    dir_ = temp_ + "farelib_choosers_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir_.c_str(), nullptr);
    CreateDirectoryA((dir_ + "\\routes").c_str(), nullptr);
    for (const char* f : kFiles) {
      HANDLE h = CreateFileA((*this / f).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
      CloseHandle(h);
    }
  }
  ~Scratch() {
    SetCurrentDirectoryA(temp_.c_str());
    for (const char* f : kFiles) DeleteFileA((*this / f).c_str());
    DeleteFileA((*this / "new.csv").c_str());
    RemoveDirectoryA((dir_ + "\\routes").c_str());
    RemoveDirectoryA(dir_.c_str());
  }
  const std::string& dir() const { return dir_; }
  std::string operator/(const char* name) const { return dir_ + "\\" + name; }

 private:
  static std::string TempFolder() {
    char tmp[MAX_PATH], full[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    GetLongPathNameA(tmp, full, MAX_PATH);
    return full;
  }
  static constexpr const char* kFiles[] = {"fare.csv", "routes\\route.csv"};
  std::string temp_, dir_;
};

// The root of the system drive ("C:\"), where no other test makes or removes
// folders. The emulator's folder browser takes a folder's list of sub-folders
// when the folder's parent is opened in the tree, and reads it when the
// folder itself is opened: a sub-folder removed in between (another test
// ending, in the temporary folder every test shares) leaves that folder
// unopenable for the rest of the dialog. A folder to pick is kept away from
// such coming and going.
std::string QuietFolder() {
  char windows[MAX_PATH];
  UINT n = GetWindowsDirectoryA(windows, MAX_PATH);
  return n >= 3 && n < MAX_PATH ? std::string(windows, 3) : "C:\\";
}

class FileChooser : public blackbox::EachDll {
 protected:
  void SetUp() override {
    EachDll::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_NE(farelib.Ze3FileDlg, nullptr);
  }
  Scratch scratch;
};

TEST_P(FileChooser, TypedFullPathComesBackWithItsLength) {
  const std::string path = scratch / "fare.csv";
  for (int32_t ignored : {0, -1, 0x12345678}) {
    fldlg::Script script(
        [&](fldlg::Dialog& d) {
          EXPECT_EQ(d.Title(), L"Choose a fare table") << "the host's title";
          EXPECT_EQ(d.Text(kFileNameBox), "") << "the name field starts empty";
          d.SetText(kFileNameBox, path);
          d.Click(IDOK);
        });
    std::string r = Result(farelib.Ze3FileDlg(nullptr, 0, kFilter, ignored, "Choose a fare table"));
    ASSERT_TRUE(script.Finish()) << script.error();
    EXPECT_EQ(r, path) << "fourth value " << ignored;
  }
}

TEST_P(FileChooser, CancelGivesAnEmptyStringForOpenAndSave) {
  for (int32_t save : {0, 1}) {
    fldlg::Script script([](fldlg::Dialog& d) { d.Click(IDCANCEL); });
    const char* r = farelib.Ze3FileDlg(nullptr, save, kFilter, 0, nullptr);
    ASSERT_TRUE(script.Finish()) << script.error();
    ASSERT_NE(r, nullptr) << "save flag " << save << ": never null";
    EXPECT_EQ(farelib_length(r), 0) << "save flag " << save;
    EXPECT_EQ(r[0], '\0') << "save flag " << save;
  }
}

TEST_P(FileChooser, NonZeroSaveFlagsShowTheSaveChooserThatAsksBeforeOverwriting) {
  const std::string existing = scratch / "fare.csv";
  const std::string fresh = scratch / "new.csv";
  struct Case {
    int32_t save;
    const std::string& path;
    bool prompt;
  } cases[] = {
      {1, existing, true}, {-1, existing, true}, {1, fresh, false}, {-1, fresh, false}, {0, existing, false},
  };
  for (const auto& c : cases) {
    bool prompted = false;
    fldlg::Script script([&](fldlg::Dialog& d) {
      d.SetText(kFileNameBox, c.path);
      PostOk(d);
      if (c.prompt) {
        HWND box = WaitForOtherDialog(GetWindowThreadProcessId(d.hwnd(), nullptr), d.hwnd());
        prompted = box != nullptr;
        if (box) SendMessageA(GetDlgItem(box, IDYES), BM_CLICK, 0, 0);
      }
    });
    std::string r = Result(farelib.Ze3FileDlg(nullptr, c.save, kFilter, 0, nullptr));
    ASSERT_TRUE(script.Finish()) << "save flag " << c.save << ": " << script.error();
    EXPECT_EQ(prompted, c.prompt) << "save flag " << c.save << ", " << c.path << ": the overwrite question";
    EXPECT_EQ(r, c.path) << "save flag " << c.save;
  }
}

TEST_P(FileChooser, CurrentDirectoryIsKeptWhateverTheUserBrowsed) {
  ASSERT_TRUE(SetCurrentDirectoryA(scratch.dir().c_str()));
  const std::string before = CurrentDirectory();
  fldlg::Script script([&](fldlg::Dialog& d) {
    d.SetText(kFileNameBox, scratch / "routes");  // into the sub-folder
    d.Click(IDOK);
    EXPECT_TRUE(d.IsOpen()) << "a folder name browses into the folder";
    d.SetText(kFileNameBox, "route.csv");
    d.Click(IDOK);
  });
  std::string r = Result(farelib.Ze3FileDlg(nullptr, 0, kFilter, 0, nullptr));
  ASSERT_TRUE(script.Finish()) << script.error();
  EXPECT_EQ(r, scratch / "routes\\route.csv");
  EXPECT_EQ(CurrentDirectory(), before);
}

FARELIB_FOR_EACH_DLL(FileChooser);

class ColourChooser : public blackbox::EachDll {
 protected:
  void SetUp() override {
    EachDll::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_NE(farelib.Ze3ChooseColor, nullptr);
    for (int i = 0; i < 16; ++i) custom[i] = original[i] = RGB(i, 100 + i, 200 + i);
    custom[16] = 0xDEADBEEF;
  }
  // The user opens the full form, makes RGB(10, 20, 30) and adds it to the
  // custom colours; the caller's memory must not move while the chooser is open.
  void AddCustomColour(fldlg::Dialog& d) {
    EXPECT_EQ(d.Text(kRedBox), "86") << "opens on the caller's colour";
    EXPECT_EQ(d.Text(kGreenBox), "52") << "opens on the caller's colour";
    EXPECT_EQ(d.Text(kBlueBox), "18") << "opens on the caller's colour";
    d.Click(kDefineCustomColours);
    d.SetText(kRedBox, "10");
    d.SetText(kGreenBox, "20");
    d.SetText(kBlueBox, "30");
    d.Click(kAddCustomColour);
    EXPECT_EQ(colour, kStart) << "the caller's colour while the chooser is open";
    for (int i = 0; i < 16; ++i) EXPECT_EQ(custom[i], original[i]) << "the caller's entry " << i << " while open";
  }
  static constexpr COLORREF kStart = 0x00123456;  // red 0x56, green 0x34, blue 0x12
  COLORREF colour = kStart;
  COLORREF custom[17], original[16];
};

TEST_P(ColourChooser, OkWritesTheColourAndAllSixteenCustomColours) {
  fldlg::Script script([&](fldlg::Dialog& d) {
    AddCustomColour(d);
    d.Click(IDOK);
  });
  int32_t r = farelib.Ze3ChooseColor(nullptr, &colour, custom);
  ASSERT_TRUE(script.Finish()) << script.error();
  EXPECT_EQ(r, 1);
  EXPECT_EQ(colour, RGB(10, 20, 30)) << "the chosen colour";
  EXPECT_EQ(custom[0], RGB(10, 20, 30)) << "the added custom colour";
  for (int i = 1; i < 16; ++i) EXPECT_EQ(custom[i], original[i]) << "entry " << i << " as the user left it";
  EXPECT_EQ(custom[16], 0xDEADBEEFu) << "nothing past the 16 entries";
}

TEST_P(ColourChooser, OkOnTheStartingColourGivesItBack) {
  fldlg::Script script([&](fldlg::Dialog& d) { d.Click(IDOK); });
  int32_t r = farelib.Ze3ChooseColor(nullptr, &colour, custom);
  ASSERT_TRUE(script.Finish()) << script.error();
  EXPECT_EQ(r, 1);
  EXPECT_EQ(colour, kStart) << "the chooser opened on the caller's colour";
}

TEST_P(ColourChooser, CancelAfterAddingACustomColourTouchesNothing) {
  fldlg::Script script([&](fldlg::Dialog& d) {
    AddCustomColour(d);
    d.Click(IDCANCEL);
  });
  int32_t r = farelib.Ze3ChooseColor(nullptr, &colour, custom);
  ASSERT_TRUE(script.Finish()) << script.error();
  EXPECT_EQ(r, 0);
  EXPECT_EQ(colour, kStart);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(custom[i], original[i]) << "entry " << i;
  EXPECT_EQ(custom[16], 0xDEADBEEFu);
}

FARELIB_FOR_EACH_DLL(ColourChooser);

TEST(FolderChooser, ConfirmedAndCancelled) {
  support::Farelib farelib;
  ASSERT_TRUE(farelib.LoadBeside("farelib4.dll"));
  ASSERT_NE(farelib.Ze3FolderDlg, nullptr);
  Scratch scratch(QuietFolder());
  const std::string target = scratch / "routes";
  const std::string before = CurrentDirectory();

  fldlg::Script confirm([&](fldlg::Dialog& d) {
    EXPECT_EQ(d.Text(kFolderTitleText), "Where are the route tables?") << "the host's text above the tree";
    EXPECT_EQ(fldlg::PickFolder(d, target), "routes") << "the folder the user picked in the tree";
    d.Click(IDOK);
  });
  std::string r = Result(farelib.Ze3FolderDlg(nullptr, "Where are the route tables?"));
  ASSERT_TRUE(confirm.Finish()) << confirm.error();
  EXPECT_EQ(r, target);
  EXPECT_EQ(CurrentDirectory(), before);

  fldlg::Script cancel([](fldlg::Dialog& d) { d.Click(IDCANCEL); });
  const char* empty = farelib.Ze3FolderDlg(nullptr, "Where are the route tables?");
  ASSERT_TRUE(cancel.Finish()) << cancel.error();
  ASSERT_NE(empty, nullptr) << "never null";
  EXPECT_EQ(farelib_length(empty), 0);
  EXPECT_EQ(empty[0], '\0');
}

}  // namespace
