// Pictures of windows as the screen shows them, written as 24-bit BMP files.
#ifndef FAREHOST_TOUR_CAPTURE_H
#define FAREHOST_TOUR_CAPTURE_H

#include <windows.h>

#include <string>

namespace farehost {

// Copies the whole window (frame and caption included) from its window DC
// and writes it to `path`. False when nothing could be read or written.
bool CaptureWindow(HWND window, const std::wstring& path);

// Copies `width` x `height` pixels from the top-left corner of `dc`.
bool CaptureDc(HDC dc, int width, int height, const std::wstring& path);

}  // namespace farehost

#endif
