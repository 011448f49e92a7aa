/*
 * farelib.h: the exports of farelib4.dll and farelib3.dll.
 *
 * Every export is a plain __stdcall function exported by its undecorated
 * name. This header declares the 18 functions that a host calls: farelib4
 * exports all of them, farelib3 the 10 that are not in the "farelib4 only"
 * section at the end. Both DLLs also export DllMain, which Windows calls when
 * it loads them; it is not declared here and the import libraries leave it
 * out, so that a host DLL without a DllMain of its own does not bind it.
 *
 * A host built for farelib3 defines FARELIB_TARGET_FARELIB3 before including
 * this header (the CMake target farelib::farelib3 does it): a call to a
 * farelib4-only function is then a compile error that names the function
 * and says it is farelib4's, with GCC 12 or later and with clang; other
 * compilers do not see those declarations at all.
 *
 * Text: narrow strings are code page 932 bytes. Text that the host passes is
 * read during the call and never written or freed. Text that the library
 * returns (const char* results) is a library-owned string: NUL-terminated,
 * its byte length stored as a 32-bit integer in the 4 bytes before the text
 * (see farelib_length below). It stays valid for the life of the process;
 * the host must not free it and has no way to hand it back. A text result is
 * never null: "nothing" is a string of length 0.
 *
 * 16-bit values: counts are 32-bit arguments of which the low 16 bits are
 * taken as a signed number; settings cross as pointers to signed 16-bit
 * integers.
 */
#ifndef FARELIB_H
#define FARELIB_H

#include <stdint.h>
#include <string.h>
#include <windows.h>

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

/* The host's record of information numbers: ten signed 16-bit integers. */
typedef struct InfoNumberSettings {
  int16_t StopCountCell;     /* combo box 10: 0, or 1..N  */
  int16_t TicketNumberCell;  /* combo box 11: 0, or 1..N  */
  int16_t RouteNumberCell;   /* combo box 12: 0, or 1..N  */
  int16_t UserInfoColumn;    /* combo box 13: 0, or 1..150 */
  int16_t UserInfoCell;      /* combo box 14: 0, or 1..N  */
  int16_t ShowStopCount;     /* check box 15: 0 or 1 */
  int16_t StopCountFromZero; /* check box 16: 0 or 1 */
  int16_t ShowTicketNumber;  /* check box 17: 0 or 1 */
  int16_t ShowRouteNumber;   /* check box 18: 0 or 1 */
  int16_t ShowUserInfo;      /* check box 19: 0 or 1 */
} InfoNumberSettings;

/* The byte length of a text that the library returned. */
static __inline int32_t farelib_length(const char* text) {
  int32_t n;
  memcpy(&n, text - 4, 4);
  return n;
}

/* ---- Byte-oriented string functions ---- */
int32_t FARELIB_API LenB_ASCII(const char* text);
const char* FARELIB_API MidB_ASCII(const char* text, int32_t start, int32_t count);

/* ---- Settings dialogs and the About box ---- */
int32_t FARELIB_API Call_dlg100(HWND owner, int32_t digit_count, int16_t* zero_display_mode,
                                int16_t* digit_shift, int16_t* zero_padding);
int32_t FARELIB_API Call_dlg101(HWND owner, int32_t cell_count, int16_t* format_index, int16_t* leading_zero);
int32_t FARELIB_API Call_dlg102(HWND owner, int32_t cell_count, InfoNumberSettings* settings);
int32_t FARELIB_API Call_dlg110(HWND owner, int32_t picture, const char* text);

/* ---- Contact links ---- */
const char* FARELIB_API VantrelMailAddress(void);
const char* FARELIB_API VantrelHpURL(void);

/* ---- Common dialog wrappers ---- */
const char* FARELIB_API Ze3FileDlg(HWND owner, int32_t save, const char* filter, int32_t ignored,
                                   const char* title);
int32_t FARELIB_API Ze3ChooseColor(HWND owner, COLORREF* color, COLORREF* custom_colors /* [16] */);

/* ---- farelib4 only ---- */
#ifdef FARELIB4_ONLY
FARELIB4_ONLY int32_t FARELIB_API Call_dlg111(HWND owner, SYSTEMTIME* date);
FARELIB4_ONLY const char* FARELIB_API GetOsInfo(void);
FARELIB4_ONLY const char* FARELIB_API VantrelHpSndURL(void);
FARELIB4_ONLY const char* FARELIB_API Ze3FolderDlg(HWND owner, const char* title);

/* The plug-in bridge. Each call loads the plug-in DLL at plugin_path with
   LoadLibraryA, calls the entry point of the same name without the ZE4_
   prefix, and frees the plug-in before returning (see fareplugin.h). Pass a
   full path: a bare name or a relative path is searched for as LoadLibraryA
   searches, through the current folder and PATH among others. Result: 1 when
   the entry point was found and called, 0 when the plug-in could not be
   loaded or lacks it. */
/* The plug-in fills a zero-filled record of the bridge's; all 14 values are
   copied into *info only when the result is 1. A null info gives 0. */
FARELIB4_ONLY int32_t FARELIB_API ZE4_GetPlgInfo(const char* plugin_path, PluginInfo* info);
/* value reaches the plug-in exactly as given. */
FARELIB4_ONLY int32_t FARELIB_API ZE4_SetPlgComment(const char* plugin_path, int32_t value);
FARELIB4_ONLY int32_t FARELIB_API ZE4_SetCorpAddList(const char* plugin_path, int32_t value);
/* v1..v5 reach the plug-in unchanged; of v6..v8 only the low 16 bits count,
   as a signed number widened to 32 bits (0x0001FFFF arrives as -1). */
FARELIB4_ONLY int32_t FARELIB_API ZE4_DrawSeiriken(const char* plugin_path, int32_t v1, int32_t v2, int32_t v3,
                                                   int32_t v4, int32_t v5, int32_t v6, int32_t v7, int32_t v8);
#endif

#ifdef __cplusplus
}
#endif

#undef FARELIB4_ONLY

#endif /* FARELIB_H */
