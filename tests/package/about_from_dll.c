/* Loads host_dll.dll (a host DLL without a DllMain of its own, linked with
   the packaged farelib4 import library) and has it open farelib4's About
   box. A second thread finds the box, checks that its picture control holds
   the 210 x 165 fare board picture, and presses OK. farelib4 loads its
   pictures from the module its DllMain recorded: had the host DLL's start-up
   code called farelib4's DllMain as its own, that module would be the host
   DLL, which has no pictures. */
#include <stdint.h>
#include <stdio.h>
#include <wchar.h>
#include <windows.h>

enum { kTimeoutMs = 30000, kPicture = 2 };

static DWORD g_main_thread;
static int g_failures;

/* One line per check: what was expected, and on failure what came. */
static void check(int ok, const char* expected, const char* got) {
  if (ok)
    printf("ok    %s\n", expected);
  else
    printf("FAIL  expected %s; %s\n", expected, got);
  fflush(stdout);
  if (!ok) ++g_failures;
}

static BOOL CALLBACK find_about(HWND window, LPARAM found) {
  wchar_t cls[16], title[32];
  GetClassNameW(window, cls, 16);
  GetWindowTextW(window, title, 32);
  if (wcscmp(cls, L"#32770") != 0 || wcscmp(title, L"Zelvoのバージョン情報") != 0) return TRUE;
  *(HWND*)found = window;
  return FALSE;
}

static DWORD WINAPI watch(void* unused) {
  HWND about = NULL;
  HBITMAP shown;
  BITMAP bm = {0};
  char got[80];
  DWORD waited;
  (void)unused;
  for (waited = 0; !about && waited < kTimeoutMs; waited += 50) {
    Sleep(50);
    EnumThreadWindows(g_main_thread, find_about, (LPARAM)&about);
  }
  if (!about) {
    check(0, "farelib4's About box within 30 s", "none appeared");
    ExitProcess(1);
  }
  shown = (HBITMAP)SendDlgItemMessageW(about, kPicture, STM_GETIMAGE, IMAGE_BITMAP, 0);
  if (!shown || !GetObjectW(shown, sizeof bm, &bm))
    snprintf(got, sizeof got, "the picture control holds no bitmap");
  else
    snprintf(got, sizeof got, "it holds a %ld x %ld bitmap", (long)bm.bmWidth, (long)bm.bmHeight);
  check(shown && bm.bmWidth == 210 && bm.bmHeight == 165, "the About box to show its 210 x 165 picture", got);
  PostMessageW(about, WM_COMMAND, IDOK, 0);
  return 0;
}

int main(void) {
  HMODULE host;
  int32_t (*show_about)(void);
  HANDLE thread;
  int32_t r;
  char got[40];

  host = LoadLibraryW(L"host_dll.dll");
  if (!host) {
    snprintf(got, sizeof got, "error %lu", GetLastError());
    check(0, "host_dll.dll and farelib4.dll beside it to load", got);
    return 1;
  }
  show_about = (int32_t(*)(void))(void (*)(void))GetProcAddress(host, "show_about");
  if (!show_about) {
    check(0, "host_dll.dll to export show_about", "it does not");
    return 1;
  }
  g_main_thread = GetCurrentThreadId();
  thread = CreateThread(NULL, 0, watch, NULL, 0, NULL);
  r = show_about();
  snprintf(got, sizeof got, "it returned %d", (int)r);
  check(r == 1, "Call_dlg110 to return 1 after OK", got);
  if (WaitForSingleObject(thread, kTimeoutMs) != WAIT_OBJECT_0)
    check(0, "the watching thread to end within 30 s", "it did not");
  printf("%d failed\n", g_failures);
  return g_failures ? 1 : 0;
}
