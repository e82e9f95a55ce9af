#include "winui/dpi.h"

namespace winui {

UINT window_dpi(HWND window) {
    // GetDpiForWindow exists from Windows 10 on; older systems give the screen's DPI.
    using get_dpi_for_window = UINT(WINAPI*)(HWND);
    static const auto for_window = reinterpret_cast<get_dpi_for_window>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (for_window && window) {
        const UINT dpi = for_window(window);
        if (dpi) return dpi;
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

int scale(int pixels_at_96, UINT dpi) {
    return MulDiv(pixels_at_96, static_cast<int>(dpi), 96);
}

}  // namespace winui
