// The page view's geometry and scrolling: the scroll bar, the scroll bar's requests and the
// wheel; the steps themselves are the viewer's rules.
#include <algorithm>
#include <cstdlib>

#include "lumo/html_view.h"
#include "lumo/html_view_timer.h"

namespace lumo {

// ---- geometry and scrolling

int html_view::view_width() const {
    return MulDiv(client_width_, 96, static_cast<int>(fonts_.dpi()));
}
int html_view::view_height() const {
    return MulDiv(client_height_, 96, static_cast<int>(fonts_.dpi()));
}
int html_view::max_scroll() const {
    return std::max(0, doc_.boxes.height - view_height());
}
void html_view::scroll(viewer::scroll_request request) {
    scroll_to(viewer::scrolled_position(request, scroll_y_, view_height(), max_scroll()));
}

POINT html_view::to_page(int x, int y) const {
    const int dpi = static_cast<int>(fonts_.dpi());
    return {MulDiv(x, 96, dpi), MulDiv(y, 96, dpi) + scroll_y_};
}

void html_view::update_scroll_bar() {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
    si.nMin = 0;
    si.nMax = std::max(0, doc_.boxes.height - 1);
    si.nPage = static_cast<UINT>(std::max(0, view_height()));
    si.nPos = scroll_y_;
    SetScrollInfo(window_, SB_VERT, &si, TRUE);
}

void html_view::scroll_to(int y) {
    y = std::clamp(y, 0, max_scroll());
    if (y == scroll_y_) return;
    // What stays in view is moved on the screen; only the strip that comes into view is
    // painted afresh.
    const int shift = MulDiv(scroll_y_ - y, static_cast<int>(fonts_.dpi()), 96);
    scroll_y_ = y;
    // Redrawing the scroll bar can cost more than the page itself (under Wine about 12 ms):
    // the position is set now, the bar drawn a moment later, once for a burst of scrolling.
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_POS | SIF_DISABLENOSCROLL;
    si.nPos = scroll_y_;
    SetScrollInfo(window_, SB_VERT, &si, FALSE);
    if (!scroll_bar_pending_) {  // at most every few frames, also while scrolling goes on
        scroll_bar_pending_ = true;
        SetTimer(window_, html_view_timer::kScrollBar, html_view_timer::kScrollBarDelayMs, nullptr);
    }
    if (std::abs(shift) < client_height_)
        ScrollWindowEx(window_, 0, shift, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
    else
        InvalidateRect(window_, nullptr, FALSE);
}

void html_view::on_scroll(int request) {
    using viewer::scroll_request;
    switch (request) {
        case SB_LINEUP: scroll(scroll_request::line_up); break;
        case SB_LINEDOWN: scroll(scroll_request::line_down); break;
        case SB_PAGEUP: scroll(scroll_request::page_up); break;
        case SB_PAGEDOWN: scroll(scroll_request::page_down); break;
        case SB_TOP: scroll(scroll_request::top); break;
        case SB_BOTTOM: scroll(scroll_request::bottom); break;
        case SB_THUMBTRACK:  // the system draws the thumb it moves
        case SB_THUMBPOSITION: {
            SCROLLINFO si{};
            si.cbSize = sizeof si;
            si.fMask = SIF_TRACKPOS;
            GetScrollInfo(window_, SB_VERT, &si);
            scroll_to(si.nTrackPos);
            break;
        }
        default: break;
    }
}

void html_view::on_wheel(int delta) {
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    static_assert(viewer::kWheelNotch == WHEEL_DELTA);
    scroll_by(
        viewer::wheel_scroll(wheel_rest_, delta, lines, lines == WHEEL_PAGESCROLL, view_height()));
}

}  // namespace lumo
