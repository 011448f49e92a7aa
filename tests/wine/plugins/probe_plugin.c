/* A plug-in for the bridge tests. It exports all four entry points and
   reports what reaches it through the process environment:
     FLPROBE_ATTACH, FLPROBE_DETACH  process attach and detach counts
     FLPROBE_CALL                    the last call: its name and arguments in hex
   and takes its behaviour from there:
     FLPROBE_REFUSE=1   DllMain refuses the process attach
     FLPROBE_INFO       what GetPlgInfo writes: "none", "three" (the first three
                        values), or by default all 14 (value 0 the last comment,
                        value 1 the last corporate value, then C0DE0002..C0DE000D)
     FLPROBE_RETURN     what every entry point returns (decimal, default 1)
   Built five times: as probe_plugin; as cdecl_plugin (PROBE_CDECL: every
   entry point cdecl, so on i686 it leaves its arguments on the stack); as
   miscounted_plugin (PROBE_MISCOUNTED: on i686 SetPlgComment takes 12 bytes
   of arguments where it is given 4, DrawSeiriken 16 where it is given 32);
   as direction_plugin (PROBE_DIRECTION: every entry point returns with the
   direction flag set); and as overrun_plugin (PROBE_OVERRUN=n: on i686
   SetPlgComment writes the n argument slots beyond its one argument, as an
   entry point declared with n more arguments that stores into them would). */
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "fareplugin.h"

/* Kept only while the plug-in stays loaded. */
static int32_t g_comment;
static int32_t g_corporate;

static long EnvNumber(const char* name, long fallback) {
  char b[32];
  DWORD n = GetEnvironmentVariableA(name, b, sizeof b);
  return n > 0 && n < sizeof b ? strtol(b, NULL, 0) : fallback;
}

static int EnvIs(const char* name, const char* value) {
  char b[32];
  DWORD n = GetEnvironmentVariableA(name, b, sizeof b);
  return n > 0 && n < sizeof b && strcmp(b, value) == 0;
}

static void Bump(const char* name) {
  char b[32];
  snprintf(b, sizeof b, "%ld", EnvNumber(name, 0) + 1);
  SetEnvironmentVariableA(name, b);
}

#if defined(PROBE_CDECL)
#  define PROBE_ENTRY __cdecl
#else
#  define PROBE_ENTRY FARE_STDCALL
#endif

#if defined(PROBE_DIRECTION)
/* The direction flag set as the last thing before the return: nothing of the
   function's own code runs with it set. */
#  define PROBE_RETURN(value)     \
    do {                          \
      int32_t result_ = (value);  \
      __asm__ volatile("std");    \
      return result_;             \
    } while (0)
#else
#  define PROBE_RETURN(value) return (value)
#endif

static void Record(const char* name, int count, const int32_t* values) {
  char b[256];
  int n = snprintf(b, sizeof b, "%s", name);
  for (int i = 0; i < count; ++i) n += snprintf(b + n, sizeof b - (size_t)n, " %08lX", (unsigned long)(uint32_t)values[i]);
  SetEnvironmentVariableA("FLPROBE_CALL", b);
}

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
  (void)module;
  (void)reserved;
  if (reason == DLL_PROCESS_ATTACH) {
    if (EnvIs("FLPROBE_REFUSE", "1")) return FALSE;
    Bump("FLPROBE_ATTACH");
  } else if (reason == DLL_PROCESS_DETACH) {
    Bump("FLPROBE_DETACH");
  }
  return TRUE;
}

int32_t PROBE_ENTRY GetPlgInfo(PluginInfo* info) {
  Record("GetPlgInfo", FARE_PLUGIN_INFO_VALUES, info->value); /* what the plug-in was handed */
  if (EnvIs("FLPROBE_INFO", "three")) {
    info->value[0] = -1;
    info->value[1] = INT32_MIN;
    info->value[2] = 3;
  } else if (!EnvIs("FLPROBE_INFO", "none")) {
    info->value[0] = g_comment;
    info->value[1] = g_corporate;
    for (int i = 2; i < FARE_PLUGIN_INFO_VALUES; ++i) info->value[i] = (int32_t)(0xC0DE0000u + (uint32_t)i);
  }
  PROBE_RETURN((int32_t)EnvNumber("FLPROBE_RETURN", 1));
}

#if defined(PROBE_MISCOUNTED)
int32_t PROBE_ENTRY SetPlgComment(int32_t value, int32_t unused1, int32_t unused2) {
  (void)unused1;
  (void)unused2;
#else
int32_t PROBE_ENTRY SetPlgComment(int32_t value) {
#endif
  Record("SetPlgComment", 1, &value);
  g_comment = value;
#if defined(PROBE_OVERRUN) && defined(__i386__)
  {
    /* The argument's own stack slot, and the caller's slots above it. */
    volatile int32_t* slot = &value;
    for (int i = 1; i <= PROBE_OVERRUN; ++i) slot[i] = (int32_t)(0x0BAD0000u + (uint32_t)i);
  }
#endif
  PROBE_RETURN((int32_t)EnvNumber("FLPROBE_RETURN", 1));
}

int32_t PROBE_ENTRY SetCorpAddList(int32_t value) {
  Record("SetCorpAddList", 1, &value);
  g_corporate = value;
  PROBE_RETURN((int32_t)EnvNumber("FLPROBE_RETURN", 1));
}

#if defined(PROBE_MISCOUNTED)
int32_t PROBE_ENTRY DrawSeiriken(int32_t v1, int32_t v2, int32_t v3, int32_t v4) {
  int32_t v[4] = {v1, v2, v3, v4};
  Record("DrawSeiriken", 4, v);
#else
int32_t PROBE_ENTRY DrawSeiriken(int32_t v1, int32_t v2, int32_t v3, int32_t v4, int32_t v5, int32_t v6, int32_t v7,
                                 int32_t v8) {
  int32_t v[8] = {v1, v2, v3, v4, v5, v6, v7, v8};
  Record("DrawSeiriken", 8, v);
#endif
  PROBE_RETURN((int32_t)EnvNumber("FLPROBE_RETURN", 1));
}
