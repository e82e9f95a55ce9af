#include "core/html/hit_test.h"

#include <algorithm>

#include "core/text/utf8.h"

namespace html {
namespace {

const font_choice& font_of(const layout& l, const fragment& f) {
    return l.fonts[static_cast<std::size_t>(l.styles[static_cast<std::size_t>(f.style)].font)];
}

const fragment& frag(const layout& l, int index) {
    return l.fragments[static_cast<std::size_t>(index)];
}

// The last line whose top is at or above y, or -1.
int line_above(const layout& l, int y) {
    const auto it = std::upper_bound(l.lines.begin(), l.lines.end(), y,
                                     [](int v, const line_box& line) { return v < line.y; });
    return static_cast<int>(it - l.lines.begin()) - 1;
}

text_position line_start(const layout& l, int line) {
    const line_box& b = l.lines[static_cast<std::size_t>(line)];
    for (int k = b.first; k < b.first + b.count; ++k)
        if (is_text(frag(l, k).kind)) return {line, k, 0};
    return {line, b.first + b.count, 0};
}

text_position line_end(const layout& l, int line) {
    const line_box& b = l.lines[static_cast<std::size_t>(line)];
    for (int k = b.first + b.count - 1; k >= b.first; --k)
        if (is_text(frag(l, k).kind)) return {line, k, frag(l, k).text_length};
    return {line, b.first + b.count, 0};
}

}  // namespace

int line_at(const layout& l, int y) {
    const int k = line_above(l, y);
    if (k < 0) return -1;
    const line_box& b = l.lines[static_cast<std::size_t>(k)];
    return y < b.y + b.height ? k : -1;
}

int fragment_at(const layout& l, int x, int y) {
    const int line = line_at(l, y);
    if (line < 0) return -1;
    const line_box& b = l.lines[static_cast<std::size_t>(line)];
    for (int k = b.first; k < b.first + b.count; ++k) {
        const fragment& f = frag(l, k);
        if (x >= f.x && x < f.x + f.width) return k;
    }
    return -1;
}

int link_at(const layout& l, int x, int y) {
    const int k = fragment_at(l, x, y);
    return k < 0 ? -1 : frag(l, k).link;
}

int checkbox_at(const layout& l, int x, int y) {
    const int k = fragment_at(l, x, y);
    return k < 0 ? -1 : frag(l, k).checkbox;
}

text_position start_position(const layout& l) {
    return l.lines.empty() ? text_position{} : line_start(l, 0);
}

text_position end_position(const layout& l) {
    return l.lines.empty() ? text_position{} : line_end(l, static_cast<int>(l.lines.size()) - 1);
}

text_position position_at(const layout& l, int x, int y, font_metrics& metrics) {
    if (l.lines.empty()) return {};
    const int line = line_above(l, y);
    if (line < 0) return start_position(l);
    const line_box& b = l.lines[static_cast<std::size_t>(line)];
    if (line + 1 == static_cast<int>(l.lines.size()) && y >= b.y + b.height) return end_position(l);
    const text_position first = line_start(l, line);
    if (first.fragment >= b.first + b.count || x < frag(l, first.fragment).x) return first;
    for (int k = b.first; k < b.first + b.count; ++k) {
        const fragment& f = frag(l, k);
        if (!is_text(f.kind) || x >= f.x + f.width) continue;
        // The boundary nearest to x inside this fragment.
        const std::string_view text = l.text_of(f);
        int left = f.x;
        std::size_t pos = 0;
        while (pos < text.size()) {
            const std::size_t next = text::next_boundary(text, pos);
            const int w = metrics.text_width(font_of(l, f), text.substr(pos, next - pos));
            if (x < left + w / 2) break;
            left += w;
            pos = next;
        }
        return {line, k, static_cast<std::uint32_t>(pos)};
    }
    return line_end(l, line);
}

int x_of(const layout& l, const text_position& p, font_metrics& metrics) {
    if (p.line < 0 || p.line >= static_cast<int>(l.lines.size())) return 0;
    const line_box& b = l.lines[static_cast<std::size_t>(p.line)];
    if (p.fragment >= b.first + b.count) {
        if (b.count == 0) return 0;
        const fragment& last = frag(l, b.first + b.count - 1);
        return last.x + last.width;
    }
    const fragment& f = frag(l, p.fragment);
    if (!is_text(f.kind)) return p.offset > 0 ? f.x + f.width : f.x;
    const std::string_view text = l.text_of(f);
    return f.x + metrics.text_width(font_of(l, f),
                                    text.substr(0, std::min<std::size_t>(p.offset, text.size())));
}

std::string selected_text(const layout& l, text_position a, text_position b) {
    if (b < a) std::swap(a, b);
    std::string out;
    const int last_line = std::min(b.line, static_cast<int>(l.lines.size()) - 1);
    for (int line = std::max(a.line, 0); line <= last_line; ++line) {
        const line_box& box = l.lines[static_cast<std::size_t>(line)];
        for (int k = box.first; k < box.first + box.count; ++k) {
            const fragment& f = frag(l, k);
            if (!is_text(f.kind)) continue;
            if (line == a.line && k < a.fragment) continue;
            if (line == b.line && k > b.fragment) break;
            const std::string_view text = l.text_of(f);
            std::size_t from = (line == a.line && k == a.fragment) ? a.offset : 0;
            std::size_t to = (line == b.line && k == b.fragment) ? b.offset : text.size();
            to = std::min(to, text.size());
            if (from < to) out.append(text.substr(from, to - from));
        }
        if (line < last_line) out += box.hard_end ? "\r\n" : " ";
    }
    return out;
}

}  // namespace html
