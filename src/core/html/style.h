#pragma once
// Computed styles: what each element looks like once its tag, its presentational attributes
// and what it inherits from its parent are combined.
#include <cstdint>

#include "core/html/color.h"
#include "core/html/dom.h"
#include "core/html/font_metrics.h"

namespace html {

// The largest font a page can ask for, in pixels: nested <big> and headings multiply the size
// at each level, and without a bound a few dozen levels overflow the layout's sums.
inline constexpr int kMaxFontSize = 400;

enum class display_kind : std::uint8_t { inline_box, block, list_item, none };
enum class align_kind : std::uint8_t { left, center, right };

struct computed_style {
    // Inherited.
    font_choice font;
    rgb color = kBlack;
    bool underline = false;
    bool strike = false;
    bool preformatted = false;  // keep spaces and line breaks, do not wrap
    align_kind align = align_kind::left;
    // Not inherited.
    display_kind display = display_kind::inline_box;
    int margin_top = 0;
    int margin_bottom = 0;
    int indent_left = 0;  // margin and padding on the left, where list markers go
    int indent_right = 0;
};

// Colours the body sets for the whole page.
struct page_colors {
    rgb background = kWhite;
    rgb text = kBlack;
    rgb link = 0x0000EE;
};

page_colors colors_of(const dom& d);
// The style of the document root: the default font, black text.
computed_style root_style(const page_colors& colors);
computed_style compute_style(const node& element, const computed_style& parent,
                             const page_colors& colors);

}  // namespace html
