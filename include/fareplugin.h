/*
 * fareplugin.h: what a host plug-in library exports for the farelib4 bridge.
 *
 * A plug-in is a Windows DLL that exports up to four entry points by these
 * exact, undecorated names: GetPlgInfo, SetPlgComment, DrawSeiriken,
 * SetCorpAddList. Each uses the standard Windows calling convention
 * (__stdcall); the bridge ignores their return values.
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

/* 14 consecutive 32-bit values (56 bytes) that GetPlgInfo fills. Their
   meaning is agreed between the host and its plug-ins. */
typedef struct PluginInfo {
  int32_t value[14];
} PluginInfo;

typedef int32_t(FARE_STDCALL* GetPlgInfoProc)(PluginInfo* info);
typedef int32_t(FARE_STDCALL* SetPlgCommentProc)(int32_t value);
typedef int32_t(FARE_STDCALL* SetCorpAddListProc)(int32_t value);
typedef int32_t(FARE_STDCALL* DrawSeirikenProc)(int32_t v1, int32_t v2, int32_t v3, int32_t v4, int32_t v5,
                                                int32_t v6, int32_t v7, int32_t v8);

#ifdef __cplusplus
}
#endif

#endif /* FAREPLUGIN_H */
