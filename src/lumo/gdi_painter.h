#pragma once
// Draws the engine's pages with GDI into a device context (the view's back buffer).
#include <windows.h>

#include "core/html/painter.h"
#include "lumo/gdi_fonts.h"

namespace lumo {

class picture;

class gdi_painter final : public html::painter {
public:
    // The picture is drawn for the image box of a picture page (may be null).
    gdi_painter(HDC dc, gdi_fonts& fonts, const picture* image);
    ~gdi_painter() override;
    gdi_painter(const gdi_painter&) = delete;
    gdi_painter& operator=(const gdi_painter&) = delete;

    void fill_rect(const html::rect& r, html::rgb color) override;
    void draw_text(int x, int baseline, const html::font_choice& font, html::rgb color,
                   std::string_view text) override;
    void draw_checkbox(const html::rect& box, bool checked) override;
    void draw_image(const html::rect& where) override;
    void draw_focus(const html::rect& r) override;

private:
    HDC dc_;
    gdi_fonts& fonts_;
    const picture* image_;
    HGDIOBJ old_font_;
    HFONT current_font_ = nullptr;
    std::wstring buffer_;
};

inline COLORREF to_colorref(html::rgb c) {
    return RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
}

}  // namespace lumo
