#pragma once
// The narrow drawing interface the engine paints through: GDI in the viewer, a recorder in
// the tests. Coordinates are those of the view (the page scrolled already).
#include <string_view>

#include "core/html/color.h"
#include "core/html/font_metrics.h"

namespace html {

struct rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

class painter {
public:
    virtual ~painter() = default;
    virtual void fill_rect(const rect& r, rgb color) = 0;
    // Draws the UTF-8 text with its baseline at y, starting at x.
    virtual void draw_text(int x, int baseline, const font_choice& font, rgb color,
                           std::string_view text) = 0;
    virtual void draw_checkbox(const rect& box, bool checked) = 0;
    virtual void draw_image(const rect& where) = 0;  // the picture of a picture page
    virtual void draw_focus(const rect& r) = 0;      // the keyboard focus around a link
};

}  // namespace html
