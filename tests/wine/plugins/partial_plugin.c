/* A plug-in for the bridge tests that has GetPlgInfo but lacks the other
   entry points: it exports them only under wrongly cased names. It counts
   its process attaches and detaches in FLPARTIAL_ATTACH and FLPARTIAL_DETACH. */
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

#include "fareplugin.h"

static void Bump(const char* name) {
  char b[32];
  DWORD n = GetEnvironmentVariableA(name, b, sizeof b);
  long v = n > 0 && n < sizeof b ? strtol(b, NULL, 10) : 0;
  snprintf(b, sizeof b, "%ld", v + 1);
  SetEnvironmentVariableA(name, b);
}

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
  (void)module;
  (void)reserved;
  if (reason == DLL_PROCESS_ATTACH) Bump("FLPARTIAL_ATTACH");
  if (reason == DLL_PROCESS_DETACH) Bump("FLPARTIAL_DETACH");
  return TRUE;
}

int32_t FARE_STDCALL GetPlgInfo(PluginInfo* info) {
  info->value[0] = 7;
  return 1;
}

int32_t FARE_STDCALL drawseiriken(int32_t v1, int32_t v2, int32_t v3, int32_t v4, int32_t v5, int32_t v6, int32_t v7,
                                  int32_t v8) {
  (void)v1, (void)v2, (void)v3, (void)v4, (void)v5, (void)v6, (void)v7, (void)v8;
  return 1;
}

int32_t FARE_STDCALL setplgcomment(int32_t value) {
  (void)value;
  return 1;
}

int32_t FARE_STDCALL SetCorpAddlist(int32_t value) {
  (void)value;
  return 1;
}
