// The tour's steps: each calls the exports of one kind the way the board
// does, drives the dialogs they open, and reports what came back against
// what the library promises. An export that the loaded DLL lacks is skipped
// with its report line.
#ifndef FAREHOST_TOUR_STEPS_H
#define FAREHOST_TOUR_STEPS_H

#include "host/host.h"

namespace farehost::tour {

// steps_text.cpp
void DllMainAgain();
void ByteStrings();
void LinksAndVersion();
// steps_dialogs.cpp
void DigitalDisplay();
void TicketFormat();
void InfoNumbers();
void AboutBox();
void DatePicker();
// steps_choosers.cpp
void FileChooser();
void FolderChooser();
void ColourChooser();
void Plugins();

// What the steps call and where the library's dialogs go.
inline const support::Farelib& Dll() { return g_host.farelib; }
inline HWND BoardWindow() { return g_host.window; }

}  // namespace farehost::tour

#endif
