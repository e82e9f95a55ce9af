#pragma once
// The layout engine's builder, shared by the files that lay a page out by concern: collecting
// inline content (layout_inline), walking the tree (layout_walk) and breaking the content into
// lines (layout_lines). Nothing outside the layout includes it.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "core/html/layout.h"
#include "core/html/style.h"

namespace html::layout_detail {

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
inline int add_extent(int a, int b) {
    const long long sum = static_cast<long long>(a) + b;
    return static_cast<int>(std::clamp<long long>(sum, -kMaxExtent, kMaxExtent));
}

inline int bounded_size(int size) {
    return std::clamp(size, 0, kMaxExtent);
}

inline bool collapsible(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// Lays one page out, once: run() gives the layout.
class builder {
public:
    builder(const dom& d, int width, font_metrics& metrics);
    layout run();

private:
    enum class last_content { none, space, content };

    int font_index(const font_choice& f);
    int style_index(const computed_style& s);
    int font_of_style(int style) const { return out_.styles[static_cast<std::size_t>(style)].font; }
    const font_choice& font(int index) const { return out_.fonts[static_cast<std::size_t>(index)]; }
    const font_extent& extent(int index) const { return extents_[static_cast<std::size_t>(index)]; }

    // Collecting inline content (layout_inline.cpp).
    void add_anchor(const std::string& name);
    void add_word(std::string_view word, int style, int link, bool nowrap);
    void add_space(int style, int link);
    void add_text(std::string_view text, int style, int link);
    void add_line_break(int style);
    void add_preformatted(std::string_view text, int style, int link);

    // Walking the tree (layout_walk.cpp).
    void walk(int index, const computed_style& parent, const container& c, int link, int depth);
    void walk_inline(int index, const computed_style& s, const container& c, int link, int depth);
    void walk_block(int index, computed_style s, const container& c, int link, int depth);
    void walk_children(int index, const computed_style& s, const container& c, int link, int depth);
    void add_anchors(const node& n);
    static int to_number(const std::string& text, int fallback);
    void add_marker(const node& n, const computed_style& s, const container& inner);
    void add_rule(const container& c);

    // Breaking inline content into lines (layout_lines.cpp).
    void flush(const container& c);
    void place_group(const container& c, std::size_t begin, std::size_t end, const atom* space,
                     int width, bool nowrap);
    void split_group(const container& c, std::size_t begin, std::size_t end);
    void push_fragment(fragment_kind kind, const atom& a, std::uint32_t start, std::uint32_t length,
                       int width);
    void finish_line(const container& c, bool hard, int break_font = -1);

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

}  // namespace html::layout_detail
