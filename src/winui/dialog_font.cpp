#include "winui/dialog_font.h"

#include "winui/dpi.h"

namespace winui {

unique_font dialog_font(UINT dpi, int points, int weight, const wchar_t* face, font_extras extras) {
    return unique_font(CreateFontW(-MulDiv(points, static_cast<int>(dpi), 72), 0, 0, 0, weight,
                                   extras.italic ? TRUE : FALSE, extras.underline ? TRUE : FALSE,
                                   FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                   extras.cleartype ? CLEARTYPE_QUALITY : DEFAULT_QUALITY,
                                   DEFAULT_PITCH, face));
}

unique_font dialog_font(HWND window, int points, int weight, const wchar_t* face,
                        font_extras extras) {
    return dialog_font(window_dpi(window), points, weight, face, extras);
}

}  // namespace winui
