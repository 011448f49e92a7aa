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

/* Exported for their names alone: the bridge looks names up case-sensitively
   and must not find these, so they are never called and take nothing. */
int32_t FARE_STDCALL drawseiriken(void) { return 1; }
int32_t FARE_STDCALL setplgcomment(void) { return 1; }
int32_t FARE_STDCALL SetCorpAddlist(void) { return 1; }
