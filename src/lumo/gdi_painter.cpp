#include "lumo/gdi_painter.h"

#include "lumo/picture.h"
#include "platform/win32/utf16.h"

namespace lumo {

gdi_painter::gdi_painter(HDC dc, gdi_fonts& fonts, const picture* image)
    : dc_(dc), fonts_(fonts), image_(image), old_font_(GetCurrentObject(dc, OBJ_FONT)) {
    fonts_.apply_scaling(dc_);
    SetBkMode(dc_, TRANSPARENT);
    SetTextAlign(dc_, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
}

gdi_painter::~gdi_painter() {
    SelectObject(dc_, old_font_);
    SetMapMode(dc_, MM_TEXT);
}

void gdi_painter::fill_rect(const html::rect& r, html::rgb color) {
    const RECT area{r.left, r.top, r.right, r.bottom};
    SetDCBrushColor(dc_, to_colorref(color));
    FillRect(dc_, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void gdi_painter::draw_text(int x, int baseline, const html::font_choice& font, html::rgb color,
                            std::string_view text) {
    const HFONT handle = fonts_.handle(font);
    if (handle != current_font_) {
        SelectObject(dc_, handle);
        current_font_ = handle;
    }
    SetTextColor(dc_, to_colorref(color));
    buffer_ = platform::widen(text);
    ExtTextOutW(dc_, x, baseline, 0, nullptr, buffer_.c_str(), static_cast<UINT>(buffer_.size()),
                nullptr);
}

void gdi_painter::draw_checkbox(const html::rect& box, bool checked) {
    RECT area{box.left, box.top, box.right, box.bottom};
    FillRect(dc_, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawFrameControl(dc_, &area, DFC_BUTTON, DFCS_BUTTONCHECK | (checked ? DFCS_CHECKED : 0));
}

void gdi_painter::draw_image(const html::rect& where) {
    if (!image_ || !image_->bitmap()) return;
    HDC source = CreateCompatibleDC(dc_);
    const HGDIOBJ old = SelectObject(source, image_->bitmap());
    StretchBlt(dc_, where.left, where.top, where.right - where.left, where.bottom - where.top,
               source, 0, 0, image_->width(), image_->height(), SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

void gdi_painter::draw_focus(const html::rect& r) {
    const RECT area{r.left, r.top, r.right, r.bottom};
    SetTextColor(dc_, RGB(0, 0, 0));
    DrawFocusRect(dc_, &area);
}

}  // namespace lumo
