#include "core/html/layout.h"

#include <algorithm>

#include "core/html/layout_builder.h"

namespace html {
namespace layout_detail {

builder::builder(const dom& d, int width, font_metrics& metrics)
    : d_(d), metrics_(metrics), colors_(colors_of(d)) {
    out_.width = width;
    out_.background = colors_.background;
    // The page's text goes into one buffer: room for all of it at once.
    std::size_t text_bytes = 0;
    for (const node& n : d.nodes) text_bytes += n.text.size();
    out_.text.reserve(text_bytes + 256);
}

layout builder::run() {
    const computed_style root = root_style(colors_);
    const container whole{0, std::max(1, out_.width), font_index(root.font), root.align};
    if (d_.nodes.empty()) return std::move(out_);  // a document never parsed: nothing
    for (int child : d_.children(0)) walk(child, root, whole, -1, 0);
    flush(whole);
    if (!markers_.empty()) finish_line(whole, true);
    out_.height = add_extent(y_, pending_margin_);
    return std::move(out_);
}

int builder::font_index(const font_choice& f) {
    for (std::size_t i = 0; i < out_.fonts.size(); ++i)
        if (out_.fonts[i] == f) return static_cast<int>(i);
    out_.fonts.push_back(f);
    const font_extent e = metrics_.extent(f);
    extents_.push_back({bounded_size(e.ascent), bounded_size(e.descent)});
    space_widths_.push_back(bounded_size(metrics_.text_width(f, " ")));
    return static_cast<int>(out_.fonts.size() - 1);
}

int builder::style_index(const computed_style& s) {
    const text_style wanted{font_index(s.font), s.color, s.underline, s.strike};
    if (last_style_ >= 0 && out_.styles[static_cast<std::size_t>(last_style_)] == wanted)
        return last_style_;
    for (std::size_t i = 0; i < out_.styles.size(); ++i)
        if (out_.styles[i] == wanted) return last_style_ = static_cast<int>(i);
    out_.styles.push_back(wanted);
    return last_style_ = static_cast<int>(out_.styles.size() - 1);
}

}  // namespace layout_detail

std::optional<int> layout::anchor_y(std::string_view name) const {
    for (const anchor& a : anchors)
        if (a.name == name && a.y >= 0) return a.y;
    return std::nullopt;
}

layout lay_out(const dom& d, int width, font_metrics& metrics) {
    return layout_detail::builder(d, width, metrics).run();
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
