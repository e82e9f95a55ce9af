#pragma once
// Lays a document out for a given width: blocks stacked top to bottom, their inline content
// broken into line boxes at the spaces (and inside a word only when the word alone is wider
// than the line), list markers beside the items, check boxes inline.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/html/color.h"
#include "core/html/dom.h"
#include "core/html/font_metrics.h"

namespace html {

// Every coordinate and size of a layout stays within this many pixels, so that a sum of a few
// of them never overflows an int, whatever the page or the fonts report: a page longer than
// this (a hundred thousand screens) is cut off there.
inline constexpr int kMaxExtent = 1 << 28;

// A check box takes this square plus margins on both sides.
inline constexpr int kCheckboxSize = 13;
inline constexpr int kCheckboxMarginLeft = 4;
inline constexpr int kCheckboxMarginRight = 3;

enum class fragment_kind : std::uint8_t {
    text,      // a word or part of one
    space,     // the collapsed space between two words on one line
    checkbox,  // an <input type=checkbox>
    marker,    // a list item's number or bullet (not part of the text)
    rule,      // an <hr>
    image,     // the picture of a picture page
};

struct text_style {
    int font = 0;  // index into layout::fonts
    rgb color = kBlack;
    bool underline = false;
    bool strike = false;
    bool operator==(const text_style&) const = default;
};

struct fragment {
    fragment_kind kind = fragment_kind::text;
    int x = 0;
    int width = 0;
    int top = 0;        // boxes (check box, rule, image): offset of the box from the line top
    int height = 0;     // boxes: height of the box
    int style = 0;      // index into layout::styles
    int link = -1;      // index into dom::links
    int checkbox = -1;  // index into dom::checkboxes
    std::uint32_t text_start = 0;  // into layout::text
    std::uint32_t text_length = 0;
};

struct line_box {
    int y = 0;  // top, in page coordinates
    int height = 0;
    int baseline = 0;       // from the top
    int first = 0;          // first fragment
    int count = 0;          // number of fragments
    bool hard_end = false;  // a line break or the end of a block follows, not a wrap
};

struct anchor {
    std::string name;
    int y = 0;
};

struct layout {
    int width = 0;   // the width laid out for
    int height = 0;  // height of the whole page
    rgb background = kWhite;
    std::vector<font_choice> fonts;
    std::vector<text_style> styles;
    std::vector<line_box> lines;
    std::vector<fragment> fragments;
    std::string text;
    std::vector<anchor> anchors;

    std::string_view text_of(const fragment& f) const {
        return std::string_view(text).substr(f.text_start, f.text_length);
    }
    // The top of the first element named so (an <a name> or any id), if there is one.
    std::optional<int> anchor_y(std::string_view name) const;
};

layout lay_out(const dom& d, int width, font_metrics& metrics);
// A page that is one picture, centred horizontally with a small margin.
layout lay_out_picture(int picture_width, int picture_height, int width);

// A text picture of every line box and fragment, for golden tests and diagnostics.
std::string dump(const layout& l);

}  // namespace html
