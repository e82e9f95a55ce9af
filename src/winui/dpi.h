#pragma once
// Layout coordinates are written at 96 DPI and scaled with the window's DPI.
#include <windows.h>

namespace winui {

UINT window_dpi(HWND window);
int scale(int pixels_at_96, UINT dpi);

}  // namespace winui
