/* A small C host built against the installed farelib.h and import library:
   it calls a few exports that need no person and checks what they return.
   Built with -DFARELIB3 it uses only exports that farelib3.dll has, and
   tells farelib.h so. */
#if defined(FARELIB3) && !defined(FARELIB_TARGET_FARELIB3)
#define FARELIB_TARGET_FARELIB3
#endif
#include <stdio.h>
#include <string.h>

#include <farelib.h>

static int failures;

static void check(int ok, const char* what) {
  printf("%s  %s\n", ok ? "ok  " : "FAIL", what);
  if (!ok) ++failures;
}

int main(void) {
  const char* cut;
  const char* home;
  int16_t format = 3, leading_zero = 1;
  int32_t r;

  check(LenB_ASCII("ABCDE") == 5, "LenB_ASCII(\"ABCDE\") is 5");
  check(LenB_ASCII(NULL) == 0, "LenB_ASCII(NULL) is 0");
  cut = MidB_ASCII("ABCDE", 2, 3);
  check(cut != NULL && strcmp(cut, "BCD") == 0 && farelib_length(cut) == 3, "MidB_ASCII(\"ABCDE\", 2, 3) is BCD, length 3");
  cut = MidB_ASCII("ABCDE", 9, 1);
  check(cut != NULL && cut[0] == '\0' && farelib_length(cut) == 0, "MidB_ASCII past the end is an empty string");
  home = VantrelHpURL();
  check(strncmp(home, "http://", 7) == 0 && (int32_t)strlen(home) == farelib_length(home), "VantrelHpURL is an http link");
  check(strncmp(VantrelMailAddress(), "mailto:", 7) == 0, "VantrelMailAddress is a mailto link");
  /* An owner that is no window: no dialog, nothing written, result 0. */
  r = Call_dlg101((HWND)(intptr_t)0x7FFF0001, 20, &format, &leading_zero);
  check(r == 0 && format == 3 && leading_zero == 1, "Call_dlg101 with an owner that is no window returns 0, writes nothing");
#ifndef FARELIB3
  {
    PluginInfo info;
    memset(&info, 0x5A, sizeof info);
    check(farelib_length(GetOsInfo()) >= 0, "GetOsInfo returns a library string");
    check(ZE4_GetPlgInfo("no-such-plugin.dll", &info) == 0 && info.value[13] == 0x5A5A5A5A,
          "ZE4_GetPlgInfo of a missing plug-in returns 0, record untouched");
    check(strcmp(VantrelHpSndURL() + strlen(VantrelHpSndURL()) - 22, "/zelvo/zelvo_sound.htm") == 0,
          "VantrelHpSndURL names the sound page");
  }
#endif
  printf("%d failed\n", failures);
  return failures ? 1 : 0;
}
