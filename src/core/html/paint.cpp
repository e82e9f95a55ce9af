#include "core/html/paint.h"

#include <algorithm>

namespace html {
namespace {

void paint_selection(const layout& l, const view_state& v, int line, painter& p,
                     font_metrics& metrics) {
    text_position a = v.selection_from, b = v.selection_to;
    if (b < a) std::swap(a, b);
    if (line < a.line || line > b.line) return;
    const line_box& box = l.lines[static_cast<std::size_t>(line)];
    int left = -1, right = -1;
    for (int k = box.first; k < box.first + box.count; ++k) {
        const fragment& f = l.fragments[static_cast<std::size_t>(k)];
        if (!is_text(f.kind)) continue;
        if (left < 0) left = f.x;
        right = f.x + f.width;
    }
    if (left < 0) return;  // nothing selectable on this line
    if (line == a.line) left = std::max(left, x_of(l, a, metrics));
    if (line == b.line) right = std::min(right, x_of(l, b, metrics));
    if (right <= left) return;
    const int top = box.y - v.scroll_y;
    p.fill_rect({left, top, right, top + box.height}, v.selection_color);
}

void paint_fragment(const layout& l, const view_state& v, const line_box& box, const fragment& f,
                    painter& p, font_metrics& metrics) {
    const int top = box.y - v.scroll_y;
    switch (f.kind) {
        case fragment_kind::checkbox: {
            const bool checked = v.checks && f.checkbox >= 0 &&
                                 f.checkbox < static_cast<int>(v.checks->size()) &&
                                 (*v.checks)[static_cast<std::size_t>(f.checkbox)];
            const int x = f.x + kCheckboxMarginLeft;
            p.draw_checkbox({x, top + f.top, x + kCheckboxSize, top + f.top + kCheckboxSize},
                            checked);
            return;
        }
        case fragment_kind::rule:
            p.fill_rect({f.x, top + f.top, f.x + f.width, top + f.top + f.height}, kRuleColor);
            return;
        case fragment_kind::image:
            p.draw_image({f.x, top + f.top, f.x + f.width, top + f.top + f.height});
            return;
        case fragment_kind::text:
        case fragment_kind::space:
        case fragment_kind::marker:
            break;
    }
    const text_style& s = l.styles[static_cast<std::size_t>(f.style)];
    const font_spec& font = l.fonts[static_cast<std::size_t>(s.font)];
    const int baseline = top + box.baseline;
    if (f.kind != fragment_kind::space) p.draw_text(f.x, baseline, font, s.color, l.text_of(f));
    if (f.kind == fragment_kind::marker) return;
    const int thickness = std::max(1, font.size / 16);
    if (s.underline) {
        const int y = baseline + 1 + font.size / 24;
        p.fill_rect({f.x, y, f.x + f.width, y + thickness}, s.color);
    }
    if (s.strike) {
        const int y = baseline - metrics.extent(font).ascent * 3 / 10;
        p.fill_rect({f.x, y, f.x + f.width, y + thickness}, s.color);
    }
}

}  // namespace

void paint(const layout& l, const view_state& v, painter& p, font_metrics& metrics) {
    p.fill_rect({0, 0, v.width, v.height}, l.background);
    const int bottom = v.scroll_y + v.height;
    // The first line that reaches into the view.
    auto it =
        std::upper_bound(l.lines.begin(), l.lines.end(), v.scroll_y,
                         [](int y, const line_box& line) { return y < line.y + line.height; });
    const bool selecting = v.selection_from != v.selection_to;
    for (; it != l.lines.end() && it->y < bottom; ++it) {
        const int line = static_cast<int>(it - l.lines.begin());
        if (selecting) paint_selection(l, v, line, p, metrics);
        int focus_left = -1, focus_right = -1;
        for (int k = it->first; k < it->first + it->count; ++k) {
            const fragment& f = l.fragments[static_cast<std::size_t>(k)];
            paint_fragment(l, v, *it, f, p, metrics);
            if (v.focused_link >= 0 && f.link == v.focused_link) {
                if (focus_left < 0) focus_left = f.x;
                focus_right = f.x + f.width;
            }
        }
        if (focus_left >= 0) {
            const int top = it->y - v.scroll_y;
            p.draw_focus({focus_left, top, focus_right, top + it->height});
        }
    }
}

}  // namespace html
