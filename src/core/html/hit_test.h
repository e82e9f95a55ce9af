#pragma once
// Questions about a laid-out page at a point: which link or check box is there, and which
// text position (for selecting text with the mouse); and the text between two positions.
#include <compare>
#include <cstdint>
#include <string>

#include "core/html/font_metrics.h"
#include "core/html/layout.h"

namespace html {

// A place between two characters: in a line, at a fragment, a byte offset into its text.
struct text_position {
    int line = 0;
    int fragment = 0;
    std::uint32_t offset = 0;
    auto operator<=>(const text_position&) const = default;
};

// The line whose band holds y, or -1.
int line_at(const layout& l, int y);
// The fragment under the point, or -1.
int fragment_at(const layout& l, int x, int y);
int link_at(const layout& l, int x, int y);      // index into dom::links, or -1
int checkbox_at(const layout& l, int x, int y);  // index into dom::checkboxes, or -1

// The text position nearest to the point: above the page its start, below it its end.
text_position position_at(const layout& l, int x, int y, font_metrics& metrics);
text_position start_position(const layout& l);
text_position end_position(const layout& l);
// The x coordinate of a position within its line.
int x_of(const layout& l, const text_position& p, font_metrics& metrics);
// The text between two positions (in either order): wrapped lines joined by a space, lines
// ended by a break or a block by CR LF. List markers and check boxes are not text.
std::string selected_text(const layout& l, text_position a, text_position b);

inline bool is_text(fragment_kind k) {
    return k == fragment_kind::text || k == fragment_kind::space;
}

}  // namespace html
