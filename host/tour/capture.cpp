#include "host/tour/capture.h"

#include <cstdint>
#include <vector>

namespace farehost {

namespace {

bool WriteBmp(const std::wstring& path, int width, int height, const std::uint8_t* bottom_up_rows, int stride) {
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = static_cast<DWORD>(stride) * height;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + info.biSizeImage;
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(h, &file, sizeof file, &written, nullptr) && WriteFile(h, &info, sizeof info, &written, nullptr) &&
            WriteFile(h, bottom_up_rows, info.biSizeImage, &written, nullptr) && written == info.biSizeImage;
  CloseHandle(h);
  return ok;
}

}  // namespace

bool CaptureDc(HDC source, int width, int height, const std::wstring& path) {
  if (!source || width <= 0 || height <= 0) return false;
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = height;  // bottom-up, as BMP files store rows
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(source, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC mem = CreateCompatibleDC(source);
  bool ok = false;
  if (dib && mem && bits) {
    HGDIOBJ old = SelectObject(mem, dib);
    ok = BitBlt(mem, 0, 0, width, height, source, 0, 0, SRCCOPY) != FALSE;
    GdiFlush();
    SelectObject(mem, old);
    const int stride = (width * 3 + 3) & ~3;
    if (ok) ok = WriteBmp(path, width, height, static_cast<const std::uint8_t*>(bits), stride);
  }
  if (mem) DeleteDC(mem);
  if (dib) DeleteObject(dib);
  return ok;
}

bool CaptureWindow(HWND window, const std::wstring& path) {
  RECT r;
  if (!GetWindowRect(window, &r)) return false;
  HDC window_dc = GetWindowDC(window);
  if (!window_dc) return false;
  bool ok = CaptureDc(window_dc, r.right - r.left, r.bottom - r.top, path);
  ReleaseDC(window, window_dc);
  return ok;
}

}  // namespace farehost
