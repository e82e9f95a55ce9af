// Breaking inline content into lines: wrapping, words wider than the line, alignment and line
// heights.
#include "core/html/layout_builder.h"

#include "core/text/utf8.h"

namespace html::layout_detail {

void builder::flush(const container& c) {
    last_ = last_content::none;
    if (atoms_.empty()) return;
    x_ = c.left;
    const atom* space = nullptr;
    std::size_t i = 0;
    while (i < atoms_.size()) {
        const atom& a = atoms_[i];
        switch (a.kind) {
            case atom_kind::anchor:
                line_anchors_.push_back(a.anchor);
                ++i;
                break;
            case atom_kind::space:
                if (!line_.empty()) space = &a;
                ++i;
                break;
            case atom_kind::line_break:
                finish_line(c, true, font_of_style(a.style));
                space = nullptr;
                ++i;
                break;
            case atom_kind::checkbox:
                place_group(c, i, i + 1, space, a.width, false);
                space = nullptr;
                ++i;
                break;
            case atom_kind::word: {
                std::size_t j = i;
                int width = 0;
                bool nowrap = false;
                while (j < atoms_.size() &&
                       (atoms_[j].kind == atom_kind::word || atoms_[j].kind == atom_kind::anchor)) {
                    width = add_extent(width, atoms_[j].width);
                    nowrap = nowrap || atoms_[j].nowrap;
                    ++j;
                }
                place_group(c, i, j, space, width, nowrap);
                space = nullptr;
                i = j;
                break;
            }
        }
    }
    if (!line_.empty()) {
        finish_line(c, true);
    } else {
        for (int a : line_anchors_)
            out_.anchors[static_cast<std::size_t>(a)].y = y_ + pending_margin_;
        line_anchors_.clear();
    }
    atoms_.clear();
}

void builder::place_group(const container& c, std::size_t begin, std::size_t end, const atom* space,
                          int width, bool nowrap) {
    if (!line_.empty()) {
        const int space_width = space ? space->width : 0;
        if (!nowrap && x_ + space_width + width > c.right) {
            finish_line(c, false);
        } else if (space) {
            push_fragment(fragment_kind::space, *space, space->start, space->length, space->width);
        }
    }
    const bool word = atoms_[begin].kind != atom_kind::checkbox;
    if (word && !nowrap && line_.empty() && width > c.right - c.left) {
        split_group(c, begin, end);
        return;
    }
    for (std::size_t k = begin; k < end; ++k) {
        const atom& a = atoms_[k];
        if (a.kind == atom_kind::anchor) {
            line_anchors_.push_back(a.anchor);
            continue;
        }
        push_fragment(a.kind == atom_kind::checkbox ? fragment_kind::checkbox : fragment_kind::text,
                      a, a.start, a.length, a.width);
    }
}

// A word wider than the whole line is broken between characters rather than cut off.
void builder::split_group(const container& c, std::size_t begin, std::size_t end) {
    for (std::size_t k = begin; k < end; ++k) {
        const atom& a = atoms_[k];
        if (a.kind == atom_kind::anchor) {
            line_anchors_.push_back(a.anchor);
            continue;
        }
        const font_choice& f = font(font_of_style(a.style));
        const std::string_view word = std::string_view(out_.text).substr(a.start, a.length);
        std::size_t piece_start = 0, pos = 0;
        int piece_width = 0;
        while (pos < word.size()) {
            const std::size_t next = text::next_boundary(word, pos);
            const int w = bounded_size(metrics_.text_width(f, word.substr(pos, next - pos)));
            if (x_ + piece_width + w > c.right && (piece_width > 0 || !line_.empty())) {
                if (pos > piece_start)
                    push_fragment(fragment_kind::text, a,
                                  a.start + static_cast<std::uint32_t>(piece_start),
                                  static_cast<std::uint32_t>(pos - piece_start), piece_width);
                finish_line(c, false);
                piece_start = pos;
                piece_width = 0;
            }
            piece_width = add_extent(piece_width, w);
            pos = next;
        }
        if (pos > piece_start)
            push_fragment(fragment_kind::text, a, a.start + static_cast<std::uint32_t>(piece_start),
                          static_cast<std::uint32_t>(pos - piece_start), piece_width);
    }
}

void builder::push_fragment(fragment_kind kind, const atom& a, std::uint32_t start,
                            std::uint32_t length, int width) {
    fragment f;
    f.kind = kind;
    f.x = x_;
    f.width = width;
    f.style = a.style;
    f.link = a.link;
    f.checkbox = a.checkbox;
    if (kind != fragment_kind::checkbox) {
        f.text_start = start;
        f.text_length = length;
    }
    line_.push_back(f);
    x_ = add_extent(x_, width);
}

void builder::finish_line(const container& c, bool hard, int break_font) {
    while (!line_.empty() && line_.back().kind == fragment_kind::space) line_.pop_back();
    int ascent = extent(c.strut_font).ascent, descent = extent(c.strut_font).descent;
    auto include_font = [&](int f) {
        ascent = std::max(ascent, extent(f).ascent);
        descent = std::max(descent, extent(f).descent);
    };
    if (break_font >= 0 && line_.empty()) include_font(break_font);
    for (const pending_marker& m : markers_) include_font(font_of_style(m.style));
    for (const fragment& f : line_) {
        if (f.kind == fragment_kind::checkbox)
            ascent = std::max(ascent, kCheckboxSize + 2);
        else
            include_font(font_of_style(f.style));
    }
    y_ = add_extent(y_, pending_margin_);
    pending_margin_ = 0;

    line_box line;
    line.y = y_;
    line.height = add_extent(ascent, descent);
    line.baseline = ascent;
    line.first = static_cast<int>(out_.fragments.size());
    line.hard_end = hard;
    for (const pending_marker& m : markers_) {
        fragment f;
        f.kind = fragment_kind::marker;
        f.x = m.x;
        f.width = m.width;
        f.style = m.style;
        f.text_start = m.start;
        f.text_length = m.length;
        out_.fragments.push_back(f);
    }
    markers_.clear();
    int shift = 0;
    if (!line_.empty() && c.align != align_kind::left) {
        const int free = c.right - (line_.back().x + line_.back().width);
        if (free > 0) shift = c.align == align_kind::center ? free / 2 : free;
    }
    for (fragment& f : line_) {
        f.x += shift;
        if (f.kind == fragment_kind::checkbox) {
            f.top = ascent - kCheckboxSize - 1;
            f.height = kCheckboxSize;
        }
        out_.fragments.push_back(f);
    }
    line.count = static_cast<int>(out_.fragments.size()) - line.first;
    out_.lines.push_back(line);
    for (int a : line_anchors_) out_.anchors[static_cast<std::size_t>(a)].y = line.y;
    line_anchors_.clear();
    line_.clear();
    y_ = add_extent(y_, line.height);
    x_ = c.left;
}

}  // namespace html::layout_detail
