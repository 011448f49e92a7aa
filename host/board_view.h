// Inside the board window (board_window.cpp): painting and where the digital
// parts are (board_paint.cpp), the menus and what their commands call
// (board_menu.cpp).
#ifndef FAREHOST_BOARD_VIEW_H
#define FAREHOST_BOARD_VIEW_H

#include <windows.h>

#include "host/board_model.h"

namespace farehost {

// board_paint.cpp
void CreateBoardFonts();
SIZE BoardClientSize();
// Draws the whole board into `dc` (the window's off-screen copy).
void PaintBoard(HWND w, HDC dc);
// The digital part under client point (x, y), as last painted; false when
// there is none.
bool DigitalPartAt(int x, int y, Part* part);

// board_menu.cpp
HMENU BuildMenu();
void OnCommand(HWND w, UINT id);
// Opens Call_dlg100 for `part` and applies what it returns.
void EditDigits(HWND w, Part part);

}  // namespace farehost

#endif
