#pragma once
// What the page view does with the keyboard, the scroll bar and the wheel, and how it moves the
// focus from link to link: decisions only, in page pixels; the window applies them.
#include <vector>

#include "core/html/layout.h"

namespace viewer {

inline constexpr int kLineStep = 20;     // page pixels per arrow key or scroll bar arrow
inline constexpr int kWheelNotch = 120;  // the wheel's delta for one notch

enum class scroll_request { line_up, line_down, page_up, page_down, top, bottom };

// The scroll position a request leads to, within 0..max_scroll. A page is the view's height
// less one line, so that a line of the last page stays in view, but at least one line.
int scrolled_position(scroll_request request, int scroll_y, int view_height, int max_scroll);

// The pixels to scroll for a turn of the wheel (negative: up). Deltas short of a notch are
// kept in rest until they add up to one; lines_per_notch 0 scrolls nothing, a whole page
// when page_per_notch is set.
int wheel_scroll(int& rest, int delta, unsigned lines_per_notch, bool page_per_notch,
                 int view_height);

// The keys the view knows; the window maps its key codes to these.
enum class view_key { up, down, page_up, page_down, space, home, end, tab, enter, c, a, other };
enum class key_effect { none, scroll, next_link, previous_link, follow_link, copy, select_all };
struct key_decision {
    key_effect effect = key_effect::none;
    scroll_request scroll = scroll_request::line_down;  // for key_effect::scroll
    bool operator==(const key_decision&) const = default;
};
// Home and End scroll to either end (alone, they reach the view only when the window left
// them); Space pages down, with Shift up; Tab moves the link focus; C and A copy and select
// all only with Ctrl.
key_decision decide_key(view_key key, bool ctrl, bool shift);

// The links of a laid-out page in the order they first appear, each once.
std::vector<int> link_order(const html::layout& boxes, std::size_t link_count);

// The link that gets the focus after focused (-1 or a link not in order: none yet), forwards
// or backwards through order, round at either end; -1 when the page has no links.
int next_focused_link(const std::vector<int>& order, int focused, bool forward);

// The scroll position that shows the first line holding the link: its top at the view's top
// when it is above the view, its bottom at the view's bottom when below, scroll_y otherwise.
int scroll_showing_link(const html::layout& boxes, int link, int scroll_y, int view_height);

}  // namespace viewer
