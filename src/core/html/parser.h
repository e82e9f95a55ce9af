#pragma once
// Builds the document tree from a page, forgiving the markup real pages carry: end tags that
// do not match (a heading closed with another heading's end tag), missing end tags (li, p),
// unknown tags (dropped, their text kept) and nesting too deep to be sensible (cut off).
#include <string_view>

#include "core/html/dom.h"

namespace html {

// Deeper nesting than this is treated as text of the deepest element, so that a page of
// unclosed tags cannot exhaust the stack of the walks over the tree.
inline constexpr int kMaxDepth = 256;

// The page as UTF-8 text.
dom parse(std::string_view page);

}  // namespace html
