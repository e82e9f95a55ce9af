#pragma once
// The one place the windows make their fonts: a face at a point size, scaled for the window's
// DPI.
#include <windows.h>

#include "winui/gdi_handles.h"

namespace winui {

struct font_extras {
    bool italic = false;
    bool underline = false;
    bool cleartype = true;  // false: the system's default smoothing (the viewer's strip)
};

unique_font dialog_font(UINT dpi, int points, int weight, const wchar_t* face,
                        font_extras extras = {});
// At the DPI of the window's monitor.
unique_font dialog_font(HWND window, int points, int weight, const wchar_t* face,
                        font_extras extras = {});

}  // namespace winui
