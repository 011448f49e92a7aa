// What the file, folder and colour choosers ask the platform for, and what
// they give back (no platform code). file_colour_win.cpp and folder_win.cpp
// copy these into OPENFILENAMEA, BROWSEINFOA and CHOOSECOLORA; every field
// not named here stays zero.
#ifndef FARELIB_CHOOSERS_CHOOSER_REQUESTS_H
#define FARELIB_CHOOSERS_CHOOSER_REQUESTS_H

#include <cstdint>

namespace farelib {

// ---- File chooser (Ze3FileDlg) ----
// Record: OPENFILENAMEA without the fields that Windows 2000 added (76 bytes
// in the 32-bit build). Set: lStructSize, hwndOwner, lpstrFilter (the host's
// list, unread), lpstrFile (the path buffer), nMaxFile, nMaxFileTitle (with
// no title buffer, so no title is written), lpstrTitle (the host's text),
// Flags. Zero: hInstance, lpstrCustomFilter, nFilterIndex, lpstrFileTitle,
// lpstrInitialDir, lpstrDefExt, lCustData, lpfnHook, lpTemplateName: the
// chooser opens in the platform's default folder with an empty name field,
// adds no extension and shows no read-only box.
constexpr std::uint32_t kOpenFileNameSize32 = 76;
constexpr std::uint32_t kPathMustExist = 0x800;
constexpr std::uint32_t kNoChangeDir = 0x8;
constexpr std::uint32_t kHideReadOnly = 0x4;
constexpr std::uint32_t kOverwritePrompt = 0x2;
// The path buffer: 260 zero bytes, of which 256 are declared to the platform.
constexpr std::int32_t kFileBufferBytes = 260;

struct FileRequest {
  bool save;                    // the save chooser instead of the open chooser
  std::uint32_t flags;          // 0x80C to open, 0x80E to save
  std::uint32_t max_file;       // 256
  std::uint32_t max_file_title; // 256
};

// Any save flag but 0 asks for the save chooser.
constexpr FileRequest FileRequestFor(std::int32_t save_flag) {
  const bool save = save_flag != 0;
  return {save, kPathMustExist | kNoChangeDir | kHideReadOnly | (save ? kOverwritePrompt : 0u), 256, 256};
}

// ---- Folder chooser (Ze3FolderDlg, farelib4 only) ----
// Record: BROWSEINFOA (32 bytes in the 32-bit build). Set: hwndOwner,
// lpszTitle (the host's text), ulFlags. Zero: pidlRoot (browse from the top
// of the shell namespace), pszDisplayName (no display name), lpfn, lParam,
// iImage.
constexpr std::uint32_t kBrowseInfoSize32 = 32;
constexpr std::uint32_t kReturnOnlyFsDirs = 0x1;
constexpr std::uint32_t kDontGoBelowDomain = 0x2;
constexpr std::uint32_t kFolderFlags = kReturnOnlyFsDirs | kDontGoBelowDomain;  // 3
// The zero-filled buffer that receives the chosen folder's path.
constexpr std::int32_t kFolderBufferBytes = 516;

// ---- Colour chooser (Ze3ChooseColor) ----
// Record: CHOOSECOLORA (36 bytes in the 32-bit build). Set: lStructSize,
// hwndOwner, rgbResult (the caller's colour), lpCustColors (a copy of the
// caller's 16 colours), Flags. Zero: hInstance, lCustData, lpfnHook,
// lpTemplateName. CC_RGBINIT alone: the short form, opened on rgbResult.
constexpr std::uint32_t kChooseColorSize32 = 36;
constexpr std::uint32_t kRgbInit = 0x1;
constexpr std::uint32_t kColourFlags = kRgbInit;
constexpr int kCustomColours = 16;

// What the colour chooser works on: its own copy of the caller's colours
// (Rgb: a 32-bit 0x00BBGGRR value).
template <class Rgb>
struct ColourChoice {
  Rgb colour;
  Rgb custom[kCustomColours];  // entries 0 to 15
};

// The colour chooser's rule: `run` (bool(ColourChoice<Rgb>&)) shows the
// chooser on a copy of the caller's colour and 16 custom colours. Only when it
// confirms are the colour and all 16 entries written back (1); otherwise
// nothing is written (0). The caller's memory is not touched while `run` runs.
template <class Rgb, class Run>
std::int32_t ChooseColourWith(Rgb* colour, Rgb* custom, Run run) {
  ColourChoice<Rgb> choice;
  for (int i = 0; i < kCustomColours; ++i) choice.custom[i] = custom[i];
  choice.colour = *colour;
  if (!run(choice)) return 0;
  *colour = choice.colour;
  for (int i = 0; i < kCustomColours; ++i) custom[i] = choice.custom[i];
  return 1;
}

// ---- Results ----
// The byte length of the text in a chooser's buffer: up to its first NUL,
// never past its capacity; 0 when the chooser was not confirmed.
constexpr std::int32_t ChosenTextLength(bool confirmed, const char* buffer, std::int32_t capacity) {
  if (!confirmed) return 0;
  std::int32_t n = 0;
  while (n < capacity && buffer[n] != '\0') ++n;
  return n;
}

}  // namespace farelib

#endif
