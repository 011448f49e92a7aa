// The request records that the choosers hand the platform, seen through the
// DLLs' own imports (support::ImportHook), and how the platform's answers
// become results: every field, for both DLLs.
#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstddef>
#include <cstring>
#include <string>

#include "tests/wine/blackbox/dll_fixtures.h"
#include "support/hex.h"
#include "support/import_hook.h"
#include "support/text.h"

namespace {

constexpr DWORD kOpenFileNameSize = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR);
const HWND kOwner = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x10E4));
const char kFilter[] = "CSV\0*.csv\0All\0*.*\0";
const char kTitle[] = "Fare table";

// ---- What the stand-in platform functions saw, and what they answer ----
struct FileCall {
  int calls = 0;
  const char* which = "";
  OPENFILENAMEA record;
  unsigned char after_record[sizeof(OPENFILENAMEA)];  // the bytes past lStructSize
  int32_t buffer_prefix = -1;
  bool buffer_zero = false;
  // The answer: text to write into the buffer, and the result.
  const char* write = nullptr;
  BOOL result = FALSE;
} g_file;

BOOL RecordFileCall(const char* which, OPENFILENAMEA* ofn) {
  ++g_file.calls;
  g_file.which = which;
  std::memcpy(&g_file.record, ofn, sizeof(OPENFILENAMEA));
  std::memcpy(g_file.after_record, reinterpret_cast<BYTE*>(ofn) + kOpenFileNameSize,
              sizeof(OPENFILENAMEA) - kOpenFileNameSize);
  g_file.buffer_prefix = farelib_length(ofn->lpstrFile);
  g_file.buffer_zero = true;
  for (int i = 0; i <= 260; ++i) g_file.buffer_zero &= ofn->lpstrFile[i] == 0;
  if (g_file.write) std::strcpy(ofn->lpstrFile, g_file.write);
  return g_file.result;
}
BOOL WINAPI FakeOpen(OPENFILENAMEA* ofn) { return RecordFileCall("open", ofn); }
BOOL WINAPI FakeSave(OPENFILENAMEA* ofn) { return RecordFileCall("save", ofn); }

struct ColourCall {
  int calls = 0;
  CHOOSECOLORA record;
  COLORREF custom_seen[16];
  const COLORREF* caller_custom = nullptr;
  BOOL result = FALSE;
} g_colour;

BOOL WINAPI FakeChooseColor(CHOOSECOLORA* cc) {
  ++g_colour.calls;
  g_colour.record = *cc;
  std::memcpy(g_colour.custom_seen, cc->lpCustColors, sizeof g_colour.custom_seen);
  // The user changes everything, then confirms or cancels.
  cc->rgbResult = 0x00A0B0C0;
  for (int i = 0; i < 16; ++i) cc->lpCustColors[i] = 0x00010000u * static_cast<COLORREF>(i) + 0x77;
  return g_colour.result;
}

struct FolderCall {
  int browse_calls = 0, path_calls = 0, free_calls = 0;
  BROWSEINFOA record;
  PIDLIST_ABSOLUTE list_given = nullptr, list_asked = nullptr;
  void* freed = reinterpret_cast<void*>(1);
  bool buffer_zero = false;
  const char* write = nullptr;
  BOOL result = FALSE;
} g_folder;
ITEMIDLIST g_fake_list;

PIDLIST_ABSOLUTE WINAPI FakeBrowse(BROWSEINFOA* bi) {
  ++g_folder.browse_calls;
  g_folder.record = *bi;
  return g_folder.list_given;
}
BOOL WINAPI FakePathFromList(PCIDLIST_ABSOLUTE list, char* path) {
  ++g_folder.path_calls;
  g_folder.list_asked = const_cast<PIDLIST_ABSOLUTE>(list);
  g_folder.buffer_zero = true;
  for (int i = 0; i < 516; ++i) g_folder.buffer_zero &= path[i] == 0;
  if (g_folder.write) std::strcpy(path, g_folder.write);
  return g_folder.result;
}
void WINAPI FakeTaskMemFree(void* p) {
  ++g_folder.free_calls;
  g_folder.freed = p;
}

std::string Text(const char* r) {
  if (r == nullptr) return "<null>";
  EXPECT_EQ(farelib_length(r), static_cast<int32_t>(std::strlen(r))) << "length prefix of \"" << r << '"';
  return r;
}

class ChooserRecords : public blackbox::EachDll {
 protected:
  void SetUp() override {
    g_file = FileCall{};
    g_colour = ColourCall{};
    EachDll::SetUp();
    if (HasFatalFailure()) return;
    dll = farelib.module;
    ASSERT_TRUE(farelib.Ze3FileDlg && farelib.Ze3ChooseColor);
  }
  HMODULE dll = nullptr;  // whose imports the tests replace
};

TEST_P(ChooserRecords, FileChooserRecordForEverySaveFlagAndIgnoredValue) {
  support::ImportHook open(dll, "comdlg32.dll", "GetOpenFileNameA", reinterpret_cast<void*>(FakeOpen));
  support::ImportHook save(dll, "comdlg32.dll", "GetSaveFileNameA", reinterpret_cast<void*>(FakeSave));
  ASSERT_TRUE(open.installed() && save.installed());
  struct Case {
    int32_t save_flag, ignored;
    const char* which;
    DWORD flags;
  } cases[] = {
      {0, 0, "open", 0x80C},        {1, 0, "save", 0x80E},       {-1, 0, "save", 0x80E},
      {2, 0, "save", 0x80E},        {0, -1, "open", 0x80C},      {0, 0x12345678, "open", 0x80C},
      {1, INT_MIN, "save", 0x80E},  {INT_MIN, 7, "save", 0x80E},
  };
  const unsigned char zeros[sizeof(OPENFILENAMEA)] = {};
  for (const auto& c : cases) {
    g_file.calls = 0;
    const std::string what = "save flag " + std::to_string(c.save_flag) + ", fourth value " + std::to_string(c.ignored);
    EXPECT_EQ(Text(farelib.Ze3FileDlg(kOwner, c.save_flag, kFilter, c.ignored, kTitle)), "") << what << ": cancelled";
    ASSERT_EQ(g_file.calls, 1) << what;
    const OPENFILENAMEA& r = g_file.record;
    EXPECT_STREQ(g_file.which, c.which) << what;
    EXPECT_EQ(r.Flags, c.flags) << what;
    EXPECT_EQ(r.lStructSize, kOpenFileNameSize) << what << ": the record without the Windows 2000 fields";
    EXPECT_EQ(r.hwndOwner, kOwner) << what;
    EXPECT_EQ(r.lpstrFilter, kFilter) << what << ": the host's filter list, handed on";
    EXPECT_EQ(r.lpstrTitle, kTitle) << what << ": the host's title, handed on";
    EXPECT_EQ(r.nMaxFile, 256u) << what;
    EXPECT_EQ(r.nMaxFileTitle, 256u) << what;
    EXPECT_EQ(g_file.buffer_prefix, 260) << what << ": the path buffer is a library string of 260 bytes";
    EXPECT_TRUE(g_file.buffer_zero) << what << ": the name field starts empty";
    struct Zero {
      const char* field;
      const void* value;
    } zero_fields[] = {
        {"hInstance", r.hInstance},           {"lpstrCustomFilter", r.lpstrCustomFilter},
        {"lpstrFileTitle", r.lpstrFileTitle}, {"lpstrInitialDir", r.lpstrInitialDir},
        {"lpstrDefExt", r.lpstrDefExt},       {"lCustData", reinterpret_cast<void*>(r.lCustData)},
        {"lpfnHook", reinterpret_cast<void*>(r.lpfnHook)}, {"lpTemplateName", r.lpTemplateName},
    };
    for (const auto& z : zero_fields) EXPECT_EQ(z.value, nullptr) << what << ": " << z.field;
    EXPECT_EQ(r.nMaxCustFilter, 0u) << what;
    EXPECT_EQ(r.nFilterIndex, 0u) << what;
    EXPECT_EQ(r.nFileOffset, 0) << what;
    EXPECT_EQ(r.nFileExtension, 0) << what;
    EXPECT_EQ(std::memcmp(g_file.after_record, zeros, sizeof(OPENFILENAMEA) - kOpenFileNameSize), 0)
        << what << ": nothing past lStructSize";
  }
}

TEST_P(ChooserRecords, FileChooserResultIsThePathOnlyWhenConfirmed) {
  support::ImportHook open(dll, "comdlg32.dll", "GetOpenFileNameA", reinterpret_cast<void*>(FakeOpen));
  support::ImportHook save(dll, "comdlg32.dll", "GetSaveFileNameA", reinterpret_cast<void*>(FakeSave));
  ASSERT_TRUE(open.installed() && save.installed());
  const std::string longest = "C:\\" + std::string(252, 'x');  // 255 bytes: the most that fits in 256
  const std::string kanji = support::Cp932(u8"C:\\運賃\\表.csv");
  struct Case {
    int32_t save_flag;
    const char* write;
    BOOL result;
    std::string want;
  } cases[] = {
      {0, "C:\\data\\fare.csv", TRUE, "C:\\data\\fare.csv"},
      {1, "C:\\data\\fare.csv", TRUE, "C:\\data\\fare.csv"},
      {0, longest.c_str(), TRUE, longest},
      {0, kanji.c_str(), TRUE, kanji},
      {0, "C:\\data\\fare.csv", FALSE, ""},  // cancel or failure, whatever stands in the buffer
      {-1, nullptr, FALSE, ""},
  };
  for (const auto& c : cases) {
    g_file.write = c.write;
    g_file.result = c.result;
    const char* r = farelib.Ze3FileDlg(nullptr, c.save_flag, nullptr, 0, nullptr);
    ASSERT_NE(r, nullptr) << "a text result is never null";
    EXPECT_EQ(support::Hex(Text(r)), support::Hex(c.want)) << "platform answered " << c.result;
    EXPECT_EQ(farelib_length(r), static_cast<int32_t>(c.want.size()));
  }
  EXPECT_EQ(g_file.record.hwndOwner, nullptr) << "a null owner is handed on";
}

TEST_P(ChooserRecords, ColourChooserRecordAndWriteBack) {
  support::ImportHook hook(dll, "comdlg32.dll", "ChooseColorA", reinterpret_cast<void*>(FakeChooseColor));
  ASSERT_TRUE(hook.installed());
  for (BOOL confirm : {FALSE, TRUE}) {
    const char* what = confirm ? "confirmed" : "cancelled";
    COLORREF colour = 0x00123456;
    COLORREF custom[17];
    for (int i = 0; i < 17; ++i) custom[i] = 0x00FF0000u + static_cast<COLORREF>(i);
    g_colour.calls = 0;
    g_colour.result = confirm;
    EXPECT_EQ(farelib.Ze3ChooseColor(kOwner, &colour, custom), confirm ? 1 : 0) << what;
    ASSERT_EQ(g_colour.calls, 1);
    const CHOOSECOLORA& r = g_colour.record;
    EXPECT_EQ(r.lStructSize, sizeof(CHOOSECOLORA)) << what;
    EXPECT_EQ(r.hwndOwner, kOwner) << what;
    EXPECT_EQ(r.rgbResult, 0x00123456u) << what << ": opens on the caller's colour";
    EXPECT_EQ(r.Flags, static_cast<DWORD>(CC_RGBINIT)) << what;
    EXPECT_NE(r.lpCustColors, custom) << what << ": the chooser works on a copy";
    EXPECT_EQ(r.hInstance, nullptr) << what;
    EXPECT_EQ(r.lCustData, 0) << what;
    EXPECT_EQ(reinterpret_cast<void*>(r.lpfnHook), nullptr) << what;
    EXPECT_EQ(r.lpTemplateName, nullptr) << what;
    for (int i = 0; i < 16; ++i) EXPECT_EQ(g_colour.custom_seen[i], 0x00FF0000u + i) << what << ": copy of entry " << i;
    EXPECT_EQ(colour, confirm ? 0x00A0B0C0u : 0x00123456u) << what;
    for (int i = 0; i < 16; ++i)
      EXPECT_EQ(custom[i], confirm ? 0x00010000u * i + 0x77 : 0x00FF0000u + i) << what << ": entry " << i;
    EXPECT_EQ(custom[16], 0x00FF0010u) << what << ": nothing past the 16 entries";
  }

  g_colour.calls = 0;
  COLORREF colour = 5, custom[16] = {};
  EXPECT_EQ(farelib.Ze3ChooseColor(nullptr, nullptr, custom), 0) << "a null colour pointer";
  EXPECT_EQ(farelib.Ze3ChooseColor(nullptr, &colour, nullptr), 0) << "a null custom colour array";
  EXPECT_EQ(g_colour.calls, 0) << "no chooser without somewhere to write";
  EXPECT_EQ(colour, 5u);
}

FARELIB_FOR_EACH_DLL(ChooserRecords);

TEST(FolderChooserRecord, RecordAndResults) {
  support::Farelib farelib;
  ASSERT_TRUE(farelib.LoadBeside("farelib4.dll"));
  ASSERT_NE(farelib.Ze3FolderDlg, nullptr);
  HMODULE dll = farelib.module;
  support::ImportHook browse(dll, "shell32.dll", "SHBrowseForFolderA", reinterpret_cast<void*>(FakeBrowse));
  support::ImportHook path(dll, "shell32.dll", "SHGetPathFromIDListA", reinterpret_cast<void*>(FakePathFromList));
  support::ImportHook release(dll, "ole32.dll", "CoTaskMemFree", reinterpret_cast<void*>(FakeTaskMemFree));
  ASSERT_TRUE(browse.installed() && path.installed() && release.installed());

  struct Case {
    const char* what;
    PIDLIST_ABSOLUTE list;
    const char* write;
    BOOL result;
    std::string want;
  } cases[] = {
      {"a folder confirmed", &g_fake_list, "C:\\data", TRUE, "C:\\data"},
      {"a folder without a file-system path", &g_fake_list, nullptr, FALSE, ""},
      {"a failed conversion that left text behind", &g_fake_list, "C:\\x", FALSE, ""},
      {"cancelled", nullptr, nullptr, FALSE, ""},
  };
  for (const auto& c : cases) {
    g_folder = FolderCall{};
    g_folder.list_given = c.list;
    g_folder.write = c.write;
    g_folder.result = c.result;
    const char* r = farelib.Ze3FolderDlg(kOwner, kTitle);
    ASSERT_NE(r, nullptr) << c.what << ": a text result is never null";
    EXPECT_EQ(Text(r), c.want) << c.what;
    ASSERT_EQ(g_folder.browse_calls, 1) << c.what;
    const BROWSEINFOA& b = g_folder.record;
    EXPECT_EQ(b.hwndOwner, kOwner) << c.what;
    EXPECT_EQ(b.pidlRoot, nullptr) << c.what << ": browsing starts at the top";
    EXPECT_EQ(b.pszDisplayName, nullptr) << c.what;
    EXPECT_EQ(b.lpszTitle, kTitle) << c.what << ": the host's text, handed on";
    EXPECT_EQ(b.ulFlags, static_cast<UINT>(BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN)) << c.what;
    EXPECT_EQ(reinterpret_cast<void*>(b.lpfn), nullptr) << c.what;
    EXPECT_EQ(b.lParam, 0) << c.what;
    EXPECT_EQ(b.iImage, 0) << c.what;
    if (c.list != nullptr) {
      EXPECT_EQ(g_folder.path_calls, 1) << c.what;
      EXPECT_EQ(g_folder.list_asked, c.list) << c.what;
      EXPECT_TRUE(g_folder.buffer_zero) << c.what << ": 516 zero bytes for the path";
      EXPECT_EQ(g_folder.free_calls, 1) << c.what << ": the list is released once";
      EXPECT_EQ(g_folder.freed, c.list) << c.what;
    } else {
      EXPECT_LE(g_folder.free_calls, 1) << c.what;
      if (g_folder.free_calls == 1) {
        EXPECT_EQ(g_folder.freed, nullptr) << c.what;
      }
    }
  }
}

}  // namespace
