/*
 * farelib.h: the exports of farelib4.dll and farelib3.dll, and the contract
 * of each one, stated at its declaration.
 *
 * Every export is a plain __stdcall function exported by its undecorated
 * name. This header declares the 18 functions that a host calls: farelib4
 * exports all of them, farelib3 the 10 that are not in the "farelib4 only"
 * section at the end. Both DLLs also export DllMain, which Windows calls when
 * it loads them; it is not declared here and the import libraries leave it
 * out, so that a host DLL without a DllMain of its own does not bind it.
 * DllMain sets the library up once: a host that calls it again with
 * DLL_PROCESS_ATTACH gets 1, and the store and the strings already handed
 * out stay as they are; any other reason gives 0. Every call, whatever the
 * reason, records the module handle it is given as the library's own: the
 * dialogs are created with it and the About box loads its pictures from it,
 * so a call with any handle but the DLL's own leaves the About box without
 * a picture until DllMain is called with the right one.
 *
 * A host built for farelib3 defines FARELIB_TARGET_FARELIB3 before including
 * this header (the CMake target farelib::farelib3 does it): a call to a
 * farelib4-only function is then a compile error that names the function
 * and says it is farelib4's, with GCC 12 or later and with clang; other
 * compilers do not see those declarations at all.
 *
 * Rules that hold for every export, unless its paragraph says otherwise:
 *
 * Text the host passes (const char* arguments) is NUL-terminated code page
 * 932 text owned by the host. The library reads it during the call only,
 * never writes or frees it, and keeps no pointer to it (a copy where it needs
 * one). Where an export reads a text, null counts as the empty text; the
 * choosers' titles and filter list are handed to Windows unchanged.
 *
 * Text the library returns (const char* results) is a library string:
 * NUL-terminated code page 932 text, its byte length (without the NUL) stored
 * as a 32-bit integer in the 4 bytes before the text (farelib_length below).
 * It belongs to the library and stays valid and unchanged for the life of the
 * process: never free it, never write into it; there is no way to hand it
 * back. A text result is never null: "nothing" is a string of length 0. Each
 * call returns a new string, which costs its text and a few dozen bytes of
 * heap for good, except when the heap is exhausted: then the result is the
 * library's one shared empty string, and every string handed out before
 * stays intact.
 *
 * Counts (digit_count, cell_count) are 32-bit arguments of which the low 16
 * bits are taken as a signed number. 16-bit settings cross through pointers
 * to int16_t, read before the dialog opens and written as the export's
 * paragraph says. Records (InfoNumberSettings, SYSTEMTIME, COLORREF[16],
 * PluginInfo) belong to the host; the library reads or writes them during
 * the call only and keeps no pointer to them. A null pointer where an export
 * expects a record or a 16-bit setting is outside the contract, except where
 * its paragraph says what it gives.
 *
 * Dialogs: owner may be null. An owner that is neither null nor a window
 * shows no dialog, and the dialog exports return 0 (what each then writes is
 * in its paragraph). Each dialog is modal: its message loop runs on the
 * calling thread and keeps serving the host's other windows. A second call
 * of the same export while its dialog is open (from a timer, or a host window
 * that the loop serves) opens a second dialog, filled from the second call's
 * values; each dialog reads its own controls at OK and gives back what it
 * showed, and Cancel or Esc still writes nothing. A list item whose text
 * cannot be made (heap exhausted) is blank, never cut short.
 *
 * Threads: every export runs to its end on the calling thread. The string
 * functions, the links and GetOsInfo may be called from any thread.
 */
#ifndef FARELIB_H
#define FARELIB_H

#include <stdint.h>
#include <string.h>
#include <windows.h>

#include "farelib_records.h" /* InfoNumberSettings */
#include "fareplugin.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The release this header belongs to, and the same as one number for #if:
   10000 * major + 100 * minor + patch. */
#define FARELIB_VERSION_MAJOR 1
#define FARELIB_VERSION_MINOR 0
#define FARELIB_VERSION_PATCH 0
#define FARELIB_VERSION (FARELIB_VERSION_MAJOR * 10000 + FARELIB_VERSION_MINOR * 100 + FARELIB_VERSION_PATCH)

#define FARELIB_API __stdcall

/* FARELIB4_ONLY marks the declarations of the last section. */
#if defined(FARELIB_TARGET_FARELIB3) && defined(__has_attribute)
#  if __has_attribute(unavailable)
#    define FARELIB4_ONLY __attribute__((unavailable("in farelib4.dll only; farelib3.dll does not export it")))
#  endif
#endif
#if !defined(FARELIB4_ONLY) && !defined(FARELIB_TARGET_FARELIB3)
#  define FARELIB4_ONLY
#endif

/* The byte length of a text that the library returned (the 4 bytes before
   it). Only for library strings: a host's own text has no length there. */
static __inline int32_t farelib_length(const char* text) {
  int32_t n;
  memcpy(&n, text - 4, 4);
  return n;
}

/* ---- Byte-oriented string functions (both DLLs) ---- */

/* The number of bytes of text before its NUL; null gives 0. Double-byte
   characters count two: "\x89\x5E\x92\xC0", two kanji, gives 4. Writes
   nothing, allocates nothing and takes no lock, so it answers right when
   the heap is exhausted and threads calling it at once never wait for each
   other. Both DLLs. */
int32_t FARELIB_API LenB_ASCII(const char* text);

/* A new library string holding count bytes of text from the 1-based byte
   position start. count 0 means "to the end", and a count past the end is
   cut at the end. A start below 1 or past the last byte, a negative count,
   or an empty or null text gives the empty string. Bytes are cut as bytes:
   a double-byte character at either edge of the stretch is split. The bytes
   are copied straight from the host's text into the result, the one block
   the call takes; when the heap cannot give it, the result is the shared
   empty string. Both DLLs. */
const char* FARELIB_API MidB_ASCII(const char* text, int32_t start, int32_t count);

/* ---- Settings dialogs and the About box (both DLLs) ---- */

/* The digital display settings of one number part of the board: a modal
   dialog with the zero handling list (four modes, 0 to 3), the digit shift
   list (0 to N-1 digits) and the zero padding list (0 to N digits), where N
   is digit_count's low 16 bits (N = 32767 works: 32,768 padding items; for a
   negative N both digit lists are empty), and a check box "apply to every
   digital part", unchecked at every opening. The three values are the
   selected indices. The dialog has no Cancel: only OK (or Enter) closes it;
   Esc does nothing.
   Writes all three values back, always: after OK the selections (-1 for a
   list that showed no selection because its value was out of range and the
   user chose nothing); otherwise the host's values unchanged.
   Returns 1 after OK with the check box checked, 0 after OK without it, 0
   when the owner is no window, -1 when the dialog could not be created.
   Both DLLs. */
int32_t FARELIB_API Call_dlg100(HWND owner, int32_t digit_count, int16_t* zero_display_mode,
                                int16_t* digit_shift, int16_t* zero_padding);

/* The label format of the board's N ticket-number cells (N: cell_count's low
   16 bits): a modal dialog listing twelve formats, each ending with the last
   label for N (N - 1 is computed in 16 bits: N = -32768 shows 32767), and a
   check box "put a 0 in the tens place of a one-digit number". The incoming
   values select the format and set the box.
   Writes *format_index and *leading_zero only after OK (a format that showed
   no selection comes back as -1); Cancel, Esc and no dialog leave both
   untouched.
   Returns, after OK, the leading-zero flag just written (the check box's
   state); otherwise 0, also when the dialog could not be created or the
   owner is no window. The result alone does not tell OK unchecked from
   Cancel. Both DLLs. */
int32_t FARELIB_API Call_dlg101(HWND owner, int32_t cell_count, int16_t* format_index, int16_t* leading_zero);

/* Where the board shows its information numbers: a modal dialog with the
   four cell lists "1".."N" (N: cell_count's low 16 bits; empty for N < 1, up
   to 32767 items), the data column list "1".."150" and five check boxes,
   filled from *settings (see InfoNumberSettings for the fields).
   Reads all 20 bytes of *settings before the dialog opens; writes all 20
   only after OK, a cell or column that showed no selection (it was 0 or out
   of range and the user chose nothing) as 0. Cancel, Esc and no dialog leave
   the record byte for byte as it was.
   Returns 1 after OK, 0 otherwise (Cancel, Esc, no dialog). Both DLLs. */
int32_t FARELIB_API Call_dlg102(HWND owner, int32_t cell_count, InfoNumberSettings* settings);

/* The About box: picture 1 shows the fare board, any other value the bus
   (210 x 165 pixels), beside text in a read-only box (line breaks where text
   holds CR LF; null shows an empty box). The library keeps its own copy of
   text until the next call (the box is empty if the heap is exhausted). A
   button opens the maker's homepage (the text of VantrelHpURL) with the
   shell and leaves the box open; if that text cannot be made (heap
   exhausted) the button opens nothing. farelib3 releases the
   homepage text after the shell call; farelib4 keeps it, one small string
   per click. Only OK (or Enter) closes the box; Esc does nothing. Each
   opening releases its picture once, on OK or when its owner destroys it.
   Writes nothing of the host's.
   Returns 1 after OK, 0 when the owner is no window, -1 when the dialog
   could not be created. Both DLLs. */
int32_t FARELIB_API Call_dlg110(HWND owner, int32_t picture, const char* text);

/* ---- The maker's links (both DLLs) ---- */

/* A new library string with the maker's mail link: "mailto:zelvo@vantrel.example"
   from farelib4, "mailto:zelvo3@classic.vantrel.example" from farelib3. Plain
   ASCII; every call returns a new string with the same text. Both DLLs. */
const char* FARELIB_API VantrelMailAddress(void);

/* A new library string with the maker's homepage, ending in "/":
   "http://www.vantrel.example/" from farelib4, "http://classic.vantrel.example/"
   from farelib3. Plain ASCII; every call returns a new string with the same
   text. Both DLLs. */
const char* FARELIB_API VantrelHpURL(void);

/* ---- Common dialog wrappers (both DLLs) ---- */

/* The Windows open chooser (save 0) or save chooser (any other save; it asks
   before overwriting a file). filter is the platform's filter list (pairs of
   NUL-terminated description and pattern, ended by an empty string) and
   title the caption; both are handed to Windows unchanged. ignored is
   ignored. The chooser opens in the platform's default folder with an empty
   name, and the process's current directory is the same afterwards.
   Returns a new library string with the chosen full path, or the empty
   string on Cancel or failure, which look the same; a path of 256 bytes or
   more fails. When the heap is exhausted no chooser is shown and the result
   is the empty string. Both DLLs. */
const char* FARELIB_API Ze3FileDlg(HWND owner, int32_t save, const char* filter, int32_t ignored,
                                   const char* title);

/* The Windows colour chooser in its short form, opened on *color, with the
   host's 16 custom colours (custom_colors[0..15]); the chooser works on a
   copy, so the host's memory is not touched while it is open.
   Writes, only after OK, *color and all 16 custom colours, also those the
   user left alone; Cancel writes nothing, even after the user added custom
   colours.
   Returns 1 after OK, 0 otherwise. A null color or custom_colors gives 0
   without a chooser. Both DLLs. */
int32_t FARELIB_API Ze3ChooseColor(HWND owner, COLORREF* color, COLORREF* custom_colors /* [16] */);

/* ---- farelib4 only ---- */
#ifdef FARELIB4_ONLY

/* The date picker: a modal dialog with a month calendar opening on today and
   OK; its caption has a close box. *date is never read.
   Writes all 16 bytes of *date, always: after OK (or Enter) the date picked
   (time fields as the calendar gives them); after the close box or Alt+F4,
   and when no dialog was shown, the date of the last OK since the DLL was
   loaded, or 16 zero bytes if there was none. Esc does nothing. Of two
   nested date pickers, one closed with the close box writes the date of the
   last OK, which may be the other's.
   Returns 1 after OK, 0 after the close box or when the owner is no window,
   -1 when the dialog could not be created. farelib4 only. */
FARELIB4_ONLY int32_t FARELIB_API Call_dlg111(HWND owner, SYSTEMTIME* date);

/* A new library string naming the Windows version that the system reported
   when the DLL was loaded, by a fixed table: 3.x "Windows NT 3.51"; 4.0
   "Windows 95" on platform 1 ("Windows 95 OSR2" when the service-pack text is
   exactly "B" or "C"), "Windows NT 4.0" on other platforms; 4.10 "Windows 98"
   ("Windows 98 SE" when the text is exactly "A"); 4.90 "Windows Me"; any
   other 4.x the empty string; 5.0 "Windows 2000"; 5.1 "Windows XP"; 5.2
   "Windows Server 2003"; 6.0 "Windows Vista"; 7.0 "Windows 7"; everything
   else "\x93\xE4\x82\xCCWindows(^^;" (code page 932, "mysterious Windows").
   The service-pack text is compared whole and case-sensitively: " A" is not
   "A". Windows 7 itself reports 6.1, and every later version 6.2 to a program
   without a compatibility manifest, so they get the last name: the table is
   the contract, not a version probe. farelib4 only. */
FARELIB4_ONLY const char* FARELIB_API GetOsInfo(void);

/* A new library string with the maker's sound page, on the host of
   farelib4's homepage: "http://www.vantrel.example/zelvo/zelvo_sound.htm".
   Every call returns a new string with the same text. farelib4 only. */
FARELIB4_ONLY const char* FARELIB_API VantrelHpSndURL(void);

/* The Windows folder browser, from the top of the shell namespace, accepting
   file-system folders only; title is shown above the tree, handed to Windows
   unchanged. The calling thread should have COM initialised, as for any
   shell dialog; the library does not do it.
   Returns a new library string with the folder's path, or the empty string
   on Cancel, on failure or for an item without a file-system path.
   farelib4 only. */
FARELIB4_ONLY const char* FARELIB_API Ze3FolderDlg(HWND owner, const char* title);

/* The plug-in bridge, farelib4 only: the four ZE4_ exports. Each call loads
   the plug-in DLL at plugin_path with LoadLibraryA, looks up the entry point
   of the same name without the ZE4_ prefix (by exact name), calls it on the
   calling thread and frees the plug-in before returning (fareplugin.h says
   what a plug-in exports). Pass
   a full path: a bare name or a relative path is searched for as LoadLibraryA
   searches (the host's folder, the system folders, the current folder, PATH)
   and may find another DLL of that name. A plug-in keeps what it was told
   between calls only while the host holds it loaded itself (LoadLibraryA
   with the same path). On 32-bit x86 an entry point that is not __stdcall
   (cdecl, or other arguments than the agreement's) still gets its values
   and the host's stack is as it was when the export returns.
   Result of all four: 1 when the entry point was found and called (its own
   return value does not count); 0 when plugin_path is null, the plug-in
   cannot be loaded or lacks the entry point, with nothing written to the
   host. Nothing the plug-in does during the call is guarded: an entry point
   that faults brings the host down. */

/* Bridge to GetPlgInfo (farelib4 only; loading and result as above). Gives
   the plug-in a zero-filled PluginInfo of the bridge's and copies all 14
   values into *info only when the result is 1, values the plug-in left alone
   as 0. No value may address anything in the plug-in: it is unloaded
   when the call returns. A null info gives 0 without loading anything. */
FARELIB4_ONLY int32_t FARELIB_API ZE4_GetPlgInfo(const char* plugin_path, PluginInfo* info);
/* Bridge to SetPlgComment (farelib4 only; loading and result as above):
   value reaches the plug-in exactly as given. */
FARELIB4_ONLY int32_t FARELIB_API ZE4_SetPlgComment(const char* plugin_path, int32_t value);
/* Bridge to SetCorpAddList (farelib4 only; loading and result as above):
   value reaches the plug-in exactly as given. */
FARELIB4_ONLY int32_t FARELIB_API ZE4_SetCorpAddList(const char* plugin_path, int32_t value);
/* Bridge to DrawSeiriken (farelib4 only; loading and result as above):
   v1..v5 reach the plug-in unchanged; of v6..v8 only the low 16 bits count,
   as a signed number widened to 32 bits (0x0001FFFF arrives as -1). */
FARELIB4_ONLY int32_t FARELIB_API ZE4_DrawSeiriken(const char* plugin_path, int32_t v1, int32_t v2, int32_t v3,
                                                   int32_t v4, int32_t v5, int32_t v6, int32_t v7, int32_t v8);
#endif

#ifdef __cplusplus
}
#endif

#undef FARELIB4_ONLY

#endif /* FARELIB_H */
