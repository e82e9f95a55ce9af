// The page view's mouse and keyboard: selecting, clicking links and check boxes, the cursor
// shape, the keys and the link focus; what a key does is the viewer's rule.
#include <windowsx.h>

#include <algorithm>
#include <cstdlib>

#include "lumo/clipboard.h"
#include "lumo/html_view.h"

namespace lumo {

namespace {

constexpr int kDragDistance = 4;  // a press that moves further selects instead of clicking

}  // namespace

// ---- mouse

void html_view::on_button_down(int x, int y, bool extend) {
    SetFocus(window_);
    const POINT p = to_page(x, y);
    const int box = html::checkbox_at(doc_.boxes, p.x, p.y);
    if (box >= 0) {
        doc_.toggle(box);
        InvalidateRect(window_, nullptr, FALSE);
        return;
    }
    pressed_link_ = html::link_at(doc_.boxes, p.x, p.y);
    press_point_ = {x, y};
    const html::text_position at = html::position_at(doc_.boxes, p.x, p.y, fonts_);
    if (!extend) selection_from_ = at;
    selection_to_ = at;
    selecting_ = true;
    SetCapture(window_);
    InvalidateRect(window_, nullptr, FALSE);
}

void html_view::on_mouse_move(int x, int y) {
    if (!selecting_) return;
    if (std::abs(x - press_point_.x) > kDragDistance ||
        std::abs(y - press_point_.y) > kDragDistance)
        pressed_link_ = -1;
    // Dragging above or below the view scrolls it.
    if (y < 0) scroll(viewer::scroll_request::line_up);
    if (y > client_height_) scroll(viewer::scroll_request::line_down);
    const POINT p = to_page(x, y);
    const html::text_position at = html::position_at(doc_.boxes, p.x, p.y, fonts_);
    if (at != selection_to_) {
        selection_to_ = at;
        InvalidateRect(window_, nullptr, FALSE);
    }
}

void html_view::on_button_up(int x, int y) {
    if (!selecting_) return;
    selecting_ = false;
    ReleaseCapture();
    const int pressed = pressed_link_;
    pressed_link_ = -1;
    const POINT p = to_page(x, y);
    if (pressed >= 0 && html::link_at(doc_.boxes, p.x, p.y) == pressed) {
        selection_from_ = selection_to_;  // a click, not a selection
        follow(pressed);
    }
}

bool html_view::on_set_cursor() {
    POINT cursor;
    GetCursorPos(&cursor);
    ScreenToClient(window_, &cursor);
    const POINT p = to_page(cursor.x, cursor.y);
    LPCWSTR shape = IDC_ARROW;
    const int k = html::fragment_at(doc_.boxes, p.x, p.y);
    if (k >= 0) {
        const html::fragment& f = doc_.boxes.fragments[static_cast<std::size_t>(k)];
        if (f.link >= 0)
            shape = IDC_HAND;
        else if (html::is_text(f.kind))
            shape = IDC_IBEAM;
    }
    SetCursor(LoadCursorW(nullptr, shape));
    return true;
}

void html_view::follow(int link) {
    if (link < 0 || link >= static_cast<int>(doc_.tree.links.size()) || !handlers_.link) return;
    // The handler may replace the page, and with it the text the target lives in.
    const std::string target = doc_.tree.links[static_cast<std::size_t>(link)];
    handlers_.link(target);
}

// ---- keyboard

namespace {

viewer::view_key view_key_of(int vk) {
    using viewer::view_key;
    switch (vk) {
        case VK_UP: return view_key::up;
        case VK_DOWN: return view_key::down;
        case VK_PRIOR: return view_key::page_up;
        case VK_NEXT: return view_key::page_down;
        case VK_SPACE: return view_key::space;
        case VK_HOME: return view_key::home;
        case VK_END: return view_key::end;
        case VK_TAB: return view_key::tab;
        case VK_RETURN: return view_key::enter;
        case 'C': return view_key::c;
        case 'A': return view_key::a;
        default: return view_key::other;
    }
}

}  // namespace

void html_view::move_link_focus(bool forward) {
    if (link_order_.empty()) return;
    focused_link_ = viewer::next_focused_link(link_order_, focused_link_, forward);
    scroll_to(viewer::scroll_showing_link(doc_.boxes, focused_link_, scroll_y_, view_height()));
    InvalidateRect(window_, nullptr, FALSE);
}

void html_view::copy_selection() const {
    if (!has_selection()) return;
    copy_to_clipboard(window_, html::selected_text(doc_.boxes, selection_from_, selection_to_));
}

void html_view::on_key(int vk) {
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    if (!ctrl && handlers_.key && handlers_.key(vk)) return;
    const viewer::key_decision d = viewer::decide_key(view_key_of(vk), ctrl, shift);
    switch (d.effect) {
        case viewer::key_effect::scroll: scroll(d.scroll); break;
        case viewer::key_effect::next_link: move_link_focus(true); break;
        case viewer::key_effect::previous_link: move_link_focus(false); break;
        case viewer::key_effect::follow_link: follow(focused_link_); break;
        case viewer::key_effect::copy: copy_selection(); break;
        case viewer::key_effect::select_all:
            selection_from_ = html::start_position(doc_.boxes);
            selection_to_ = html::end_position(doc_.boxes);
            InvalidateRect(window_, nullptr, FALSE);
            break;
        case viewer::key_effect::none: break;
    }
}

}  // namespace lumo
