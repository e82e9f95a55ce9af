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

// Boxes: check boxes, rules and the picture of a picture page.
void paint_box(const view_state& v, const line_box& box, const fragment& f, painter& p) {
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
        default: return;
    }
}

// Words and the spaces between them that share a style and follow each other on the line go
// out in one call, as one run of text: far fewer calls for the system to draw.
int paint_run(const layout& l, const view_state& v, const line_box& box, int first, int end,
              painter& p, font_metrics& metrics) {
    const fragment& head = l.fragments[static_cast<std::size_t>(first)];
    int last = first;
    bool has_text = head.kind != fragment_kind::space;
    while (last + 1 < end) {
        const fragment& prev = l.fragments[static_cast<std::size_t>(last)];
        const fragment& next = l.fragments[static_cast<std::size_t>(last + 1)];
        if (!is_text(next.kind) || next.style != head.style ||
            next.text_start != prev.text_start + prev.text_length || next.x != prev.x + prev.width)
            break;
        has_text = has_text || next.kind != fragment_kind::space;
        ++last;
    }
    const fragment& tail = l.fragments[static_cast<std::size_t>(last)];
    const text_style& s = l.styles[static_cast<std::size_t>(head.style)];
    const font_choice& font = l.fonts[static_cast<std::size_t>(s.font)];
    const int baseline = box.y - v.scroll_y + box.baseline;
    const int right = tail.x + tail.width;
    if (has_text) {
        const std::string_view text = std::string_view(l.text).substr(
            head.text_start, tail.text_start + tail.text_length - head.text_start);
        p.draw_text(head.x, baseline, font, s.color, text);
    }
    const int thickness = std::max(1, font.size / 16);
    if (s.underline) {
        const int y = baseline + 1 + font.size / 24;
        p.fill_rect({head.x, y, right, y + thickness}, s.color);
    }
    if (s.strike) {
        const int y = baseline - metrics.extent(font).ascent * 3 / 10;
        p.fill_rect({head.x, y, right, y + thickness}, s.color);
    }
    return last + 1;
}

void paint_line(const layout& l, const view_state& v, const line_box& box, painter& p,
                font_metrics& metrics) {
    const int end = box.first + box.count;
    for (int k = box.first; k < end;) {
        const fragment& f = l.fragments[static_cast<std::size_t>(k)];
        if (is_text(f.kind)) {
            k = paint_run(l, v, box, k, end, p, metrics);
            continue;
        }
        if (f.kind == fragment_kind::marker) {
            const text_style& s = l.styles[static_cast<std::size_t>(f.style)];
            p.draw_text(f.x, box.y - v.scroll_y + box.baseline,
                        l.fonts[static_cast<std::size_t>(s.font)], s.color, l.text_of(f));
        } else {
            paint_box(v, box, f, p);
        }
        ++k;
    }
}

}  // namespace

void paint(const layout& l, const view_state& v, painter& p, font_metrics& metrics) {
    const int clip_top = std::max(0, v.clip_top);
    const int clip_bottom = v.clip_bottom < 0 ? v.height : std::min(v.height, v.clip_bottom);
    p.fill_rect({0, clip_top, v.width, clip_bottom}, l.background);
    const int top = v.scroll_y + clip_top, bottom = v.scroll_y + clip_bottom;
    // The first line that reaches into the band to paint.
    auto it =
        std::upper_bound(l.lines.begin(), l.lines.end(), top,
                         [](int y, const line_box& line) { return y < line.y + line.height; });
    const bool selecting = v.selection_from != v.selection_to;
    for (; it != l.lines.end() && it->y < bottom; ++it) {
        const int line = static_cast<int>(it - l.lines.begin());
        if (selecting) paint_selection(l, v, line, p, metrics);
        paint_line(l, v, *it, p, metrics);
        if (v.focused_link < 0) continue;
        int focus_left = -1, focus_right = -1;
        for (int k = it->first; k < it->first + it->count; ++k) {
            const fragment& f = l.fragments[static_cast<std::size_t>(k)];
            if (f.link != v.focused_link) continue;
            if (focus_left < 0) focus_left = f.x;
            focus_right = f.x + f.width;
        }
        if (focus_left >= 0) {
            const int line_top = it->y - v.scroll_y;
            p.draw_focus({focus_left, line_top, focus_right, line_top + it->height});
        }
    }
}

}  // namespace html
