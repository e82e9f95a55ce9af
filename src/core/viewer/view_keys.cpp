#include "core/viewer/view_keys.h"

#include <algorithm>

namespace viewer {

int scrolled_position(scroll_request request, int scroll_y, int view_height, int max_scroll) {
    const int page = std::max(kLineStep, view_height - kLineStep);
    int y = scroll_y;
    switch (request) {
        case scroll_request::line_up: y -= kLineStep; break;
        case scroll_request::line_down: y += kLineStep; break;
        case scroll_request::page_up: y -= page; break;
        case scroll_request::page_down: y += page; break;
        case scroll_request::top: y = 0; break;
        case scroll_request::bottom: y = max_scroll; break;
    }
    return std::clamp(y, 0, std::max(0, max_scroll));
}

int wheel_scroll(int& rest, int delta, unsigned lines_per_notch, bool page_per_notch,
                 int view_height) {
    rest += delta;
    const int notches = rest / kWheelNotch;
    if (notches == 0) return 0;
    rest -= notches * kWheelNotch;
    const int step = page_per_notch ? std::max(kLineStep, view_height - kLineStep)
                                    : static_cast<int>(lines_per_notch) * kLineStep;
    return -notches * step;
}

key_decision decide_key(view_key key, bool ctrl, bool shift) {
    const auto scroll = [](scroll_request r) { return key_decision{key_effect::scroll, r}; };
    switch (key) {
        case view_key::up: return scroll(scroll_request::line_up);
        case view_key::down: return scroll(scroll_request::line_down);
        case view_key::page_up: return scroll(scroll_request::page_up);
        case view_key::page_down: return scroll(scroll_request::page_down);
        case view_key::space:
            return scroll(shift ? scroll_request::page_up : scroll_request::page_down);
        case view_key::home: return scroll(scroll_request::top);
        case view_key::end: return scroll(scroll_request::bottom);
        case view_key::tab: return {shift ? key_effect::previous_link : key_effect::next_link};
        case view_key::enter: return {key_effect::follow_link};
        case view_key::c: return {ctrl ? key_effect::copy : key_effect::none};
        case view_key::a: return {ctrl ? key_effect::select_all : key_effect::none};
        case view_key::other: break;
    }
    return {};
}

std::vector<int> link_order(const html::layout& boxes, std::size_t link_count) {
    std::vector<int> order;
    std::vector<bool> listed(link_count);
    for (const html::fragment& f : boxes.fragments) {
        if (f.link < 0 || static_cast<std::size_t>(f.link) >= link_count ||
            listed[static_cast<std::size_t>(f.link)])
            continue;
        listed[static_cast<std::size_t>(f.link)] = true;
        order.push_back(f.link);
    }
    return order;
}

int next_focused_link(const std::vector<int>& order, int focused, bool forward) {
    if (order.empty()) return -1;
    const int count = static_cast<int>(order.size());
    const auto it = std::find(order.begin(), order.end(), focused);
    const int index = it == order.end() ? (forward ? 0 : count - 1)
                                        : static_cast<int>(it - order.begin()) + (forward ? 1 : -1);
    return order[static_cast<std::size_t>((index + count) % count)];
}

int scroll_showing_link(const html::layout& boxes, int link, int scroll_y, int view_height) {
    for (const html::line_box& line : boxes.lines) {
        const auto first = boxes.fragments.begin() + line.first;
        const bool here = std::any_of(first, first + line.count,
                                      [link](const html::fragment& f) { return f.link == link; });
        if (!here) continue;
        if (line.y < scroll_y) return line.y;
        if (line.y + line.height > scroll_y + view_height)
            return line.y + line.height - view_height;
        return scroll_y;
    }
    return scroll_y;
}

}  // namespace viewer
