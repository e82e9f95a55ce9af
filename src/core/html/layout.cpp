#include "core/html/layout.h"

#include <algorithm>

#include "core/html/style.h"
#include "core/text/utf8.h"

namespace html {
namespace {

enum class atom_kind : std::uint8_t { word, space, checkbox, line_break, anchor };

// One piece of inline content waiting to be put on lines.
struct atom {
    atom_kind kind = atom_kind::word;
    bool nowrap = false;  // preformatted text: never wrapped
    int style = 0;
    int link = -1;
    int checkbox = -1;
    int anchor = -1;
    std::uint32_t start = 0;
    std::uint32_t length = 0;
    int width = 0;
};

// The block whose inline content is being laid out.
struct container {
    int left = 0;
    int right = 0;
    int strut_font = 0;  // every line is at least as tall as the block's own font
    align_kind align = align_kind::left;
};

struct list_counter {
    bool ordered = false;
    int next = 1;
};

struct pending_marker {
    std::uint32_t start = 0;
    std::uint32_t length = 0;
    int style = 0;
    int x = 0;
    int width = 0;
};

// Sums and sizes clamped to kMaxExtent, so page coordinates never overflow.
int add_extent(int a, int b) {
    const long long sum = static_cast<long long>(a) + b;
    return static_cast<int>(std::clamp<long long>(sum, -kMaxExtent, kMaxExtent));
}

int bounded_size(int size) {
    return std::clamp(size, 0, kMaxExtent);
}

bool collapsible(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

class builder {
public:
    builder(const dom& d, int width, font_metrics& metrics)
        : d_(d), metrics_(metrics), colors_(colors_of(d)) {
        out_.width = width;
        out_.background = colors_.background;
        // The page's text goes into one buffer: room for all of it at once.
        std::size_t text_bytes = 0;
        for (const node& n : d.nodes) text_bytes += n.text.size();
        out_.text.reserve(text_bytes + 256);
    }

    layout run() {
        const computed_style root = root_style(colors_);
        const container whole{0, std::max(1, out_.width), font_index(root.font), root.align};
        if (d_.nodes.empty()) return std::move(out_);  // a document never parsed: nothing
        for (int child : d_.children(0)) walk(child, root, whole, -1, 0);
        flush(whole);
        if (!markers_.empty()) finish_line(whole, true);
        out_.height = add_extent(y_, pending_margin_);
        return std::move(out_);
    }

private:
    enum class last_content { none, space, content };

    int font_index(const font_spec& f) {
        for (std::size_t i = 0; i < out_.fonts.size(); ++i)
            if (out_.fonts[i] == f) return static_cast<int>(i);
        out_.fonts.push_back(f);
        const font_extent e = metrics_.extent(f);
        extents_.push_back({bounded_size(e.ascent), bounded_size(e.descent)});
        space_widths_.push_back(bounded_size(metrics_.text_width(f, " ")));
        return static_cast<int>(out_.fonts.size() - 1);
    }

    int style_index(const computed_style& s) {
        const text_style wanted{font_index(s.font), s.color, s.underline, s.strike};
        if (last_style_ >= 0 && out_.styles[static_cast<std::size_t>(last_style_)] == wanted)
            return last_style_;
        for (std::size_t i = 0; i < out_.styles.size(); ++i)
            if (out_.styles[i] == wanted) return last_style_ = static_cast<int>(i);
        out_.styles.push_back(wanted);
        return last_style_ = static_cast<int>(out_.styles.size() - 1);
    }

    int font_of_style(int style) const { return out_.styles[static_cast<std::size_t>(style)].font; }
    const font_spec& font(int index) const { return out_.fonts[static_cast<std::size_t>(index)]; }
    const font_extent& extent(int index) const { return extents_[static_cast<std::size_t>(index)]; }

    // ---- collecting inline content ----------------------------------------------------------

    void add_anchor(const std::string& name) {
        out_.anchors.push_back(anchor{name, -1});
        atom a;
        a.kind = atom_kind::anchor;
        a.anchor = static_cast<int>(out_.anchors.size() - 1);
        atoms_.push_back(a);
    }

    void add_word(std::string_view word, int style, int link, bool nowrap) {
        atom a;
        a.kind = atom_kind::word;
        a.nowrap = nowrap;
        a.style = style;
        a.link = link;
        a.start = static_cast<std::uint32_t>(out_.text.size());
        a.length = static_cast<std::uint32_t>(word.size());
        out_.text.append(word);
        a.width = bounded_size(metrics_.text_width(font(font_of_style(style)), word));
        atoms_.push_back(a);
        last_ = last_content::content;
    }

    void add_space(int style, int link) {
        if (last_ != last_content::content) return;  // spaces collapse, and none opens a line
        atom a;
        a.kind = atom_kind::space;
        a.style = style;
        a.link = link;
        a.start = static_cast<std::uint32_t>(out_.text.size());
        a.length = 1;
        out_.text += ' ';
        a.width = space_widths_[static_cast<std::size_t>(font_of_style(style))];
        atoms_.push_back(a);
        last_ = last_content::space;
    }

    void add_text(std::string_view text, int style, int link) {
        std::size_t i = 0;
        while (i < text.size()) {
            if (collapsible(text[i])) {
                while (i < text.size() && collapsible(text[i])) ++i;
                add_space(style, link);
                continue;
            }
            std::size_t j = i;
            while (j < text.size() && !collapsible(text[j])) ++j;
            add_word(text.substr(i, j - i), style, link, false);
            i = j;
        }
    }

    void add_line_break(int style) {
        atom a;
        a.kind = atom_kind::line_break;
        a.style = style;
        atoms_.push_back(a);
        last_ = last_content::none;
    }

    // Preformatted text keeps its spaces and breaks only at its own line ends.
    void add_preformatted(std::string_view text, int style, int link) {
        if (pre_start_) {
            if (text.substr(0, 2) == "\r\n")
                text.remove_prefix(2);
            else if (!text.empty() && text.front() == '\n')
                text.remove_prefix(1);
        }
        pre_start_ = false;
        std::string piece;
        auto put_piece = [&] {
            if (!piece.empty()) add_word(piece, style, link, true);
            piece.clear();
        };
        for (char c : text) {
            if (c == '\r') continue;
            if (c == '\n') {
                put_piece();
                add_line_break(style);
                column_ = 0;
            } else if (c == '\t') {
                const int spaces = 8 - column_ % 8;
                piece.append(static_cast<std::size_t>(spaces), ' ');
                column_ += spaces;
            } else {
                piece += c;
                if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++column_;
            }
        }
        put_piece();
    }

    // ---- walking the tree ---------------------------------------------------------------------

    void walk(int index, const computed_style& parent, const container& c, int link, int depth) {
        const node& n = d_.nodes[static_cast<std::size_t>(index)];
        if (n.kind == tag::text) {
            if (parent.preformatted)
                add_preformatted(n.text, style_index(parent), link);
            else
                add_text(n.text, style_index(parent), link);
            return;
        }
        computed_style s = compute_style(n, parent, colors_);
        if (s.display == display_kind::none) return;
        if (n.link >= 0) link = n.link;
        pre_start_ = false;

        if (s.display == display_kind::inline_box) {
            add_anchors(n);
            if (n.kind == tag::br) {
                add_line_break(style_index(s));
            } else if (n.kind == tag::input) {
                if (n.checkbox >= 0) {
                    atom a;
                    a.kind = atom_kind::checkbox;
                    a.style = style_index(s);
                    a.link = link;
                    a.checkbox = n.checkbox;
                    a.width = kCheckboxMarginLeft + kCheckboxSize + kCheckboxMarginRight;
                    atoms_.push_back(a);
                    last_ = last_content::content;
                }
            } else {
                walk_children(index, s, c, link, depth);
            }
            return;
        }

        flush(c);
        const bool list = n.kind == tag::ol || n.kind == tag::ul || n.kind == tag::dl;
        if (list && items_open_ > 0) s.margin_top = s.margin_bottom = 0;  // nested lists
        pending_margin_ = std::max(pending_margin_, s.margin_top);
        add_anchors(n);
        const int left = c.left + s.indent_left;
        const container inner{left, std::max(left + 1, c.right - s.indent_right),
                              font_index(s.font), s.align};
        if (n.kind == tag::hr) add_rule(inner);
        if (s.display == display_kind::list_item) add_marker(n, s, inner);
        if (n.kind == tag::ol || n.kind == tag::ul) {
            list_counter counter;
            counter.ordered = n.kind == tag::ol;
            if (const std::string* start = n.attr("start")) counter.next = to_number(*start, 1);
            counters_.push_back(counter);
        }
        if (s.display == display_kind::list_item) ++items_open_;
        if (n.kind == tag::pre) {
            pre_start_ = true;
            column_ = 0;
        }
        walk_children(index, s, inner, link, depth);
        flush(inner);
        pre_start_ = false;
        if (s.display == display_kind::list_item) {
            --items_open_;
            if (!markers_.empty()) finish_line(inner, true);  // an item without content
        }
        if (n.kind == tag::ol || n.kind == tag::ul) counters_.pop_back();
        pending_margin_ = std::max(pending_margin_, s.margin_bottom);
    }

    void walk_children(int index, const computed_style& s, const container& c, int link,
                       int depth) {
        if (depth > kMaxWalkDepth) return;
        for (int child : d_.children(index)) walk(child, s, c, link, depth + 1);
    }

    void add_anchors(const node& n) {
        if (n.kind == tag::a)
            if (const std::string* name = n.attr("name")) add_anchor(*name);
        if (const std::string* id = n.attr("id")) add_anchor(*id);
    }

    static int to_number(const std::string& text, int fallback) {
        std::size_t i = 0;
        while (i < text.size() && text[i] == ' ') ++i;
        bool negative = i < text.size() && text[i] == '-';
        if (negative) ++i;
        if (i >= text.size() || text[i] < '0' || text[i] > '9') return fallback;
        long value = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && value < 100000000)
            value = value * 10 + (text[i++] - '0');
        return static_cast<int>(negative ? -value : value);
    }

    void add_marker(const node& n, const computed_style& s, const container& inner) {
        int number = 0;
        bool ordered = false;
        if (!counters_.empty()) {
            list_counter& counter = counters_.back();
            if (const std::string* value = n.attr("value"))
                counter.next = to_number(*value, counter.next);
            number = counter.next++;
            ordered = counter.ordered;
        }
        std::string label;
        if (ordered)
            label = std::to_string(number) + ".";
        else
            text::append_utf8(label, 0x2022);  // a bullet
        pending_marker m;
        m.style = style_index(s);
        m.start = static_cast<std::uint32_t>(out_.text.size());
        m.length = static_cast<std::uint32_t>(label.size());
        out_.text += label;
        const int f = font_of_style(m.style);
        m.width = bounded_size(metrics_.text_width(font(f), label));
        m.x = add_extent(inner.left,
                         -add_extent(space_widths_[static_cast<std::size_t>(f)], m.width));
        markers_.push_back(m);
    }

    void add_rule(const container& c) {
        y_ = add_extent(y_, pending_margin_);
        pending_margin_ = 0;
        line_box line;
        line.y = y_;
        line.height = 2;
        line.first = static_cast<int>(out_.fragments.size());
        line.count = 1;
        line.hard_end = true;
        fragment f;
        f.kind = fragment_kind::rule;
        f.x = c.left;
        f.width = c.right - c.left;
        f.height = 2;
        out_.fragments.push_back(f);
        out_.lines.push_back(line);
        y_ = add_extent(y_, 2);
    }

    // ---- breaking inline content into lines ---------------------------------------------------

    void flush(const container& c) {
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
                    while (j < atoms_.size() && (atoms_[j].kind == atom_kind::word ||
                                                 atoms_[j].kind == atom_kind::anchor)) {
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

    void place_group(const container& c, std::size_t begin, std::size_t end, const atom* space,
                     int width, bool nowrap) {
        if (!line_.empty()) {
            const int space_width = space ? space->width : 0;
            if (!nowrap && x_ + space_width + width > c.right) {
                finish_line(c, false);
            } else if (space) {
                push_fragment(fragment_kind::space, *space, space->start, space->length,
                              space->width);
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
            push_fragment(
                a.kind == atom_kind::checkbox ? fragment_kind::checkbox : fragment_kind::text, a,
                a.start, a.length, a.width);
        }
    }

    // A word wider than the whole line is broken between characters rather than cut off.
    void split_group(const container& c, std::size_t begin, std::size_t end) {
        for (std::size_t k = begin; k < end; ++k) {
            const atom& a = atoms_[k];
            if (a.kind == atom_kind::anchor) {
                line_anchors_.push_back(a.anchor);
                continue;
            }
            const font_spec& f = font(font_of_style(a.style));
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
                push_fragment(fragment_kind::text, a,
                              a.start + static_cast<std::uint32_t>(piece_start),
                              static_cast<std::uint32_t>(pos - piece_start), piece_width);
        }
    }

    void push_fragment(fragment_kind kind, const atom& a, std::uint32_t start, std::uint32_t length,
                       int width) {
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

    void finish_line(const container& c, bool hard, int break_font = -1) {
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

    static constexpr int kMaxWalkDepth = 512;

    const dom& d_;
    font_metrics& metrics_;
    page_colors colors_;
    layout out_;
    std::vector<font_extent> extents_;
    std::vector<int> space_widths_;
    int last_style_ = -1;

    std::vector<atom> atoms_;
    last_content last_ = last_content::none;
    bool pre_start_ = false;
    int column_ = 0;

    std::vector<list_counter> counters_;
    std::vector<pending_marker> markers_;
    int items_open_ = 0;

    std::vector<fragment> line_;
    std::vector<int> line_anchors_;
    int x_ = 0;
    int y_ = 0;
    int pending_margin_ = 0;
};

}  // namespace

std::optional<int> layout::anchor_y(std::string_view name) const {
    for (const anchor& a : anchors)
        if (a.name == name && a.y >= 0) return a.y;
    return std::nullopt;
}

layout lay_out(const dom& d, int width, font_metrics& metrics) {
    return builder(d, width, metrics).run();
}

layout lay_out_picture(int picture_width, int picture_height, int width) {
    constexpr int kMargin = 8;
    layout l;
    l.width = width;
    l.height = picture_height + 2 * kMargin;
    line_box line;
    line.y = kMargin;
    line.height = picture_height;
    line.count = 1;
    line.hard_end = true;
    fragment f;
    f.kind = fragment_kind::image;
    f.x = std::max(kMargin, (width - picture_width) / 2);
    f.width = picture_width;
    f.height = picture_height;
    l.fragments.push_back(f);
    l.lines.push_back(line);
    return l;
}

}  // namespace html
