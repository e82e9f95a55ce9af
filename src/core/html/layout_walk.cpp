// Walking the tree: each element's style, blocks with their margins and indents, list markers and
// rules.
#include "core/html/layout_builder.h"

#include "core/text/utf8.h"

namespace html::layout_detail {

void builder::walk(int index, const computed_style& parent, const container& c, int link,
                   int depth) {
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

    if (s.display == display_kind::inline_box)
        walk_inline(index, s, c, link, depth);
    else
        walk_block(index, s, c, link, depth);
}

void builder::walk_inline(int index, const computed_style& s, const container& c, int link,
                          int depth) {
    const node& n = d_.nodes[static_cast<std::size_t>(index)];
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
}

void builder::walk_block(int index, computed_style s, const container& c, int link, int depth) {
    const node& n = d_.nodes[static_cast<std::size_t>(index)];
    flush(c);
    const bool list = n.kind == tag::ol || n.kind == tag::ul || n.kind == tag::dl;
    if (list && items_open_ > 0) s.margin_top = s.margin_bottom = 0;  // nested lists
    pending_margin_ = std::max(pending_margin_, s.margin_top);
    add_anchors(n);
    const int left = c.left + s.indent_left;
    const container inner{left, std::max(left + 1, c.right - s.indent_right), font_index(s.font),
                          s.align};
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

void builder::walk_children(int index, const computed_style& s, const container& c, int link,
                            int depth) {
    if (depth > kMaxWalkDepth) return;
    for (int child : d_.children(index)) walk(child, s, c, link, depth + 1);
}

void builder::add_anchors(const node& n) {
    if (n.kind == tag::a)
        if (const std::string* name = n.attr("name")) add_anchor(*name);
    if (const std::string* id = n.attr("id")) add_anchor(*id);
}

int builder::to_number(const std::string& text, int fallback) {
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

void builder::add_marker(const node& n, const computed_style& s, const container& inner) {
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
    m.x = add_extent(inner.left, -add_extent(space_widths_[static_cast<std::size_t>(f)], m.width));
    markers_.push_back(m);
}

void builder::add_rule(const container& c) {
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

}  // namespace html::layout_detail
