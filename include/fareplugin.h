/*
 * fareplugin.h: what a host plug-in library exports for the farelib4 bridge.
 *
 * A plug-in is a Windows DLL that exports up to four entry points by these
 * exact, undecorated names: GetPlgInfo, SetPlgComment, DrawSeiriken,
 * SetCorpAddList. The host reaches them through farelib4's ZE4_GetPlgInfo,
 * ZE4_SetPlgComment, ZE4_DrawSeiriken and ZE4_SetCorpAddList, giving the
 * plug-in's path (see farelib.h).
 *
 * How the bridge calls a plug-in
 *   - Every bridge call loads the plug-in (LoadLibraryA with the host's path),
 *     looks up the one entry point by name (case-sensitive, never by
 *     ordinal), calls it once on the host's thread, and frees the plug-in
 *     again before it returns. DllMain therefore sees a process attach and a
 *     detach around every call, and static variables start afresh each time,
 *     unless the host itself holds the plug-in loaded (LoadLibrary with the
 *     same path): then the bridge only adds and drops a reference, and what
 *     the plug-in keeps (for instance the value SetPlgComment received)
 *     survives to later calls.
 *   - A plug-in that lacks an entry point is loaded, found wanting and freed:
 *     the bridge returns 0 to the host. A DllMain that returns FALSE at
 *     process attach also makes the bridge return 0.
 *   - Return values are ignored: what an entry point returns never reaches
 *     the host.
 *   - The bridge catches nothing: a fault in an entry point is a fault in the
 *     host's process.
 *
 * Calling convention and export names
 *   Each entry point uses the standard Windows calling convention (__stdcall:
 *   the callee removes its arguments) and takes exactly the arguments below.
 *   (On 32-bit x86 the bridge puts the stack pointer back after the call, so
 *   an entry point that gets this wrong does not break the host; it still
 *   reads only the arguments it was given.)
 *   On 32-bit x86 a __stdcall function gets a decorated symbol
 *   (_GetPlgInfo@4); export the plain names with a module-definition file:
 *
 *       EXPORTS
 *         GetPlgInfo
 *         SetPlgComment
 *         SetCorpAddList
 *         DrawSeiriken
 *
 *   (with MinGW, list them as GetPlgInfo@4 ... DrawSeiriken@32 and link with
 *   -Wl,--kill-at; examples/sample-plugin does this).
 *
 * Widths, and 64-bit plug-ins
 *   Every value the bridge forwards is a 32-bit quantity, in a 32-bit and in
 *   a 64-bit (x86_64) build alike: declare them int32_t (or LONG/DWORD),
 *   never as pointers, LONG_PTR, INT_PTR or HANDLE. A 64-bit plug-in reads
 *   the low 32 bits of each argument register; PluginInfo stays 14 32-bit
 *   values (56 bytes) and the plug-in must write no more than that. A value
 *   therefore cannot carry a 64-bit address. It can carry a window or GDI
 *   handle (HWND, HDC, HBRUSH ...): those have 32 significant bits on 64-bit
 *   Windows, and FARE_HANDLE below widens the 32-bit value with its sign, as
 *   64-bit Windows expects. A plug-in's 32-bit build uses the same
 *   declarations unchanged.
 *
 * The meaning of the values is agreed between the host and its plug-ins;
 * the bridge never reads what they may address. examples/sample-plugin
 * shows one such agreement (DrawSeiriken draws a ticket label into a device
 * context).
 */
#ifndef FAREPLUGIN_H
#define FAREPLUGIN_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifndef FARE_STDCALL
#  if defined(_WIN32) && !defined(_WIN64)
#    define FARE_STDCALL __stdcall
#  else
#    define FARE_STDCALL
#  endif
#endif

/* A window or GDI handle carried in a 32-bit value, as the handle type T:
   FARE_HANDLE(HDC, v1). */
#define FARE_HANDLE(T, value) ((T)(intptr_t)(int32_t)(value))

/* The number of 32-bit values in PluginInfo. */
#define FARE_PLUGIN_INFO_VALUES 14

/* 14 consecutive 32-bit values (56 bytes) that GetPlgInfo fills. The bridge
   hands GetPlgInfo a zero-filled record of its own and copies all 14 values
   to the host afterwards, so a value the plug-in leaves alone reaches the
   host as 0. The bridge frees the plug-in before it returns to the host: a
   value must not address anything inside the plug-in. */
typedef struct PluginInfo {
  int32_t value[FARE_PLUGIN_INFO_VALUES];
} PluginInfo;

/* GetPlgInfo(info): fill *info (at most 56 bytes). */
typedef int32_t(FARE_STDCALL* GetPlgInfoProc)(PluginInfo* info);

/* SetPlgComment(value): the host's 32-bit value, exactly as the host gave it. */
typedef int32_t(FARE_STDCALL* SetPlgCommentProc)(int32_t value);

/* SetCorpAddList(value): the host's 32-bit value, exactly as the host gave it. */
typedef int32_t(FARE_STDCALL* SetCorpAddListProc)(int32_t value);

/* DrawSeiriken(v1 .. v8): v1 to v5 are the host's 32-bit values unchanged;
   v6 to v8 are signed 16-bit values (-32768 .. 32767) widened with their
   sign: the host's high 16 bits of those three never arrive. */
typedef int32_t(FARE_STDCALL* DrawSeirikenProc)(int32_t v1, int32_t v2, int32_t v3, int32_t v4, int32_t v5,
                                                int32_t v6, int32_t v7, int32_t v8);

#ifdef __cplusplus
}
#endif

#endif /* FAREPLUGIN_H */
