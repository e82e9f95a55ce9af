#include "lumo/html_view.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>

#include "core/html/paint.h"
#include "core/viewer/notice.h"
#include "core/viewer/page_path.h"
#include "lumo/clipboard.h"
#include "lumo/gdi_painter.h"
#include "platform/platform.h"
#include "platform/win32/utf16.h"
#include "winui/dpi.h"

#ifndef WM_DPICHANGED_AFTERPARENT
#define WM_DPICHANGED_AFTERPARENT 0x02E3  // Windows 10: the parent moved to another DPI
#endif

namespace {

constexpr wchar_t kClassName[] = L"LumoHtmlView";
constexpr int kLineStep = 20;     // page pixels per arrow key or scroll bar arrow
constexpr int kDragDistance = 4;  // a press that moves further selects instead of clicking
constexpr UINT_PTR kScrollBarTimer = 1;
constexpr UINT kScrollBarDelayMs = 40;

// Processor time this thread has used, in milliseconds.
double thread_cpu_ms() {
    FILETIME created{}, exited{}, kernel{}, user{};
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto ticks = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

double now_ms() {
    static const double frequency = [] {
        LARGE_INTEGER f{};
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER t{};
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / frequency;
}

}  // namespace

bool html_view::register_class(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

html_view::html_view(HWND parent, int id, callbacks handlers) : handlers_(std::move(handlers)) {
    CreateWindowExW(WS_EX_CLIENTEDGE, kClassName, L"",
                    WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | WS_CLIPSIBLINGS, 0, 0, 10, 10,
                    parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                    reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), this);
    fonts_.set_dpi(window_dpi(window_));
}

html_view::~html_view() {
    if (buffer_dc_) DeleteDC(buffer_dc_);
    if (window_) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

LRESULT CALLBACK html_view::procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<html_view*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<html_view*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, w, l);
    if (message == WM_NCDESTROY) {
        self->window_ = nullptr;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return DefWindowProcW(window, message, w, l);
    }
    try {
        return self->handle(message, w, l);
    } catch (...) {
        return 0;  // whatever failed stops here; the viewer carries on
    }
}

// ---- content ------------------------------------------------------------------------------------

bool html_view::load(const std::string& path, const std::string& anchor) {
    const double start = now_ms();
    const double start_cpu = thread_cpu_ms();
    const bool same = !path_.empty() && viewer::same_path(path, path_);
    html::document doc;
    std::unique_ptr<picture> pic;
    if (is_picture_file(path)) {
        pic = picture::load(path);
        if (!pic) return false;
    } else {
        std::string bytes;
        if (!platform::read_file(path, bytes)) return false;
        last_read_ms_ = now_ms() - start;
        doc = html::document::from_bytes(bytes);
        last_parse_ms_ = now_ms() - start - last_read_ms_;
        if (same && doc.checks.size() == doc_.checks.size()) doc.checks = doc_.checks;
    }
    const int old_scroll = scroll_y_;
    doc_ = std::move(doc);
    picture_ = std::move(pic);
    path_ = path;
    if (!same) focused_link_ = -1;
    after_new_content();
    scroll_y_ = same ? std::min(old_scroll, max_scroll()) : 0;
    if (!anchor.empty()) scroll_to_anchor(anchor);
    update_scroll_bar();
    last_load_ms_ = now_ms() - start;
    last_load_cpu_ms_ = thread_cpu_ms() - start_cpu;
    return true;
}

void html_view::clear() {
    doc_ = html::document{};
    picture_.reset();
    path_.clear();
    focused_link_ = -1;
    after_new_content();
    scroll_y_ = 0;
    update_scroll_bar();
}

void html_view::show_missing(const std::string& path) {
    doc_ = html::document::from_bytes(viewer::missing_page_html(path));
    picture_.reset();
    path_.clear();
    focused_link_ = -1;
    after_new_content();
    scroll_y_ = 0;
    update_scroll_bar();
}

void html_view::scroll_to_anchor(const std::string& anchor) {
    if (const auto y = doc_.boxes.anchor_y(anchor)) scroll_to(*y);
}

// Common to every change of page: fresh layout, no selection, the window text.
void html_view::after_new_content() {
    laid_out_width_ = -1;
    lay_out();
    selecting_ = false;
    selection_from_ = selection_to_ = {};
    pressed_link_ = -1;
    SetWindowTextW(window_, widen(path_).c_str());
    InvalidateRect(window_, nullptr, FALSE);
}

void html_view::lay_out() {
    const int width = view_width();
    // A view without width (minimised, or not yet placed) keeps the layout it has: laying a
    // long page out one character a line would only cost time.
    if (width == laid_out_width_ || (client_width_ <= 0 && laid_out_width_ >= 0)) return;
    const double start = now_ms();
    if (picture_)
        doc_.boxes = html::lay_out_picture(picture_->width(), picture_->height(), width);
    else
        doc_.lay_out(width, fonts_);
    laid_out_width_ = width;
    link_order_.clear();
    std::vector<bool> listed(doc_.tree.links.size());
    for (const html::fragment& f : doc_.boxes.fragments) {
        if (f.link < 0 || listed[static_cast<std::size_t>(f.link)]) continue;
        listed[static_cast<std::size_t>(f.link)] = true;
        link_order_.push_back(f.link);
    }
    // Positions point into the old lines.
    selection_from_ = selection_to_ = {};
    last_layout_ms_ = now_ms() - start;
}

// ---- geometry and scrolling ---------------------------------------------------------------------

int html_view::view_width() const {
    return MulDiv(client_width_, 96, static_cast<int>(fonts_.dpi()));
}
int html_view::view_height() const {
    return MulDiv(client_height_, 96, static_cast<int>(fonts_.dpi()));
}
int html_view::max_scroll() const {
    return std::max(0, doc_.boxes.height - view_height());
}
int html_view::line_step() const {
    return kLineStep;
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
        SetTimer(window_, kScrollBarTimer, kScrollBarDelayMs, nullptr);
    }
    if (std::abs(shift) < client_height_)
        ScrollWindowEx(window_, 0, shift, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
    else
        InvalidateRect(window_, nullptr, FALSE);
}

void html_view::on_scroll(int request) {
    const int page = std::max(line_step(), view_height() - line_step());
    switch (request) {
        case SB_LINEUP:
            scroll_by(-line_step());
            break;
        case SB_LINEDOWN:
            scroll_by(line_step());
            break;
        case SB_PAGEUP:
            scroll_by(-page);
            break;
        case SB_PAGEDOWN:
            scroll_by(page);
            break;
        case SB_TOP:
            scroll_to(0);
            break;
        case SB_BOTTOM:
            scroll_to(max_scroll());
            break;
        case SB_THUMBTRACK:  // the system draws the thumb it moves
        case SB_THUMBPOSITION: {
            SCROLLINFO si{};
            si.cbSize = sizeof si;
            si.fMask = SIF_TRACKPOS;
            GetScrollInfo(window_, SB_VERT, &si);
            scroll_to(si.nTrackPos);
            break;
        }
        default:
            break;
    }
}

void html_view::on_wheel(int delta) {
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    wheel_rest_ += delta;
    const int notches = wheel_rest_ / WHEEL_DELTA;
    if (notches == 0) return;
    wheel_rest_ -= notches * WHEEL_DELTA;
    const int step = lines == WHEEL_PAGESCROLL ? std::max(line_step(), view_height() - line_step())
                                               : static_cast<int>(lines) * line_step();
    scroll_by(-notches * step);
}

// ---- painting
// -------------------------------------------------------------------------------------

void html_view::paint() {
    const double start = now_ms();
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window_, &ps);
    const int w = std::max(1, client_width_), h = std::max(1, client_height_);
    if (!buffer_dc_) buffer_dc_ = CreateCompatibleDC(dc);
    if (buffer_size_.cx != w || buffer_size_.cy != h) {
        buffer_.reset(CreateCompatibleBitmap(dc, w, h));
        buffer_size_ = {w, h};
    }
    const HGDIOBJ old = SelectObject(buffer_dc_, buffer_.get());
    const RECT& band = ps.rcPaint;
    {
        gdi_painter painter(buffer_dc_, fonts_, picture_.get());
        html::view_state v;
        const int dpi = static_cast<int>(fonts_.dpi());
        v.clip_top = MulDiv(band.top, 96, dpi);
        v.clip_bottom = MulDiv(band.bottom, 96, dpi) + 1;
        v.scroll_y = scroll_y_;
        v.width = view_width();
        v.height = view_height();
        v.checks = &doc_.checks;
        v.selection_from = selection_from_;
        v.selection_to = selection_to_;
        v.focused_link = GetFocus() == window_ ? focused_link_ : -1;
        html::paint(doc_.boxes, v, painter, fonts_);
    }
    BitBlt(dc, band.left, band.top, band.right - band.left, band.bottom - band.top, buffer_dc_,
           band.left, band.top, SRCCOPY);
    SelectObject(buffer_dc_, old);
    EndPaint(window_, &ps);
    last_paint_ms_ = now_ms() - start;
}

// ---- mouse
// ----------------------------------------------------------------------------------------

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
    if (y < 0) scroll_by(-line_step());
    if (y > client_height_) scroll_by(line_step());
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
// -------------------------------------------------------------------------------------

void html_view::move_link_focus(bool forward) {
    if (link_order_.empty()) return;
    const auto it = std::find(link_order_.begin(), link_order_.end(), focused_link_);
    const int count = static_cast<int>(link_order_.size());
    int index = it == link_order_.end()
                    ? (forward ? 0 : count - 1)
                    : static_cast<int>(it - link_order_.begin()) + (forward ? 1 : -1);
    index = (index + count) % count;
    focused_link_ = link_order_[static_cast<std::size_t>(index)];
    // Bring the link into view.
    for (const html::line_box& line : doc_.boxes.lines) {
        bool here = false;
        for (int k = line.first; k < line.first + line.count && !here; ++k)
            here = doc_.boxes.fragments[static_cast<std::size_t>(k)].link == focused_link_;
        if (!here) continue;
        if (line.y < scroll_y_)
            scroll_to(line.y);
        else if (line.y + line.height > scroll_y_ + view_height())
            scroll_to(line.y + line.height - view_height());
        break;
    }
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
    const int page = std::max(line_step(), view_height() - line_step());
    switch (vk) {
        case VK_UP:
            scroll_by(-line_step());
            break;
        case VK_DOWN:
            scroll_by(line_step());
            break;
        case VK_PRIOR:
            scroll_by(-page);
            break;
        case VK_NEXT:
            scroll_by(page);
            break;
        case VK_SPACE:
            scroll_by(shift ? -page : page);
            break;
        case VK_HOME:
            scroll_to(0);
            break;  // with Ctrl; Home alone belongs to the window
        case VK_END:
            scroll_to(max_scroll());
            break;
        case VK_TAB:
            move_link_focus(!shift);
            break;
        case VK_RETURN:
            follow(focused_link_);
            break;
        case 'C':
            if (ctrl) copy_selection();
            break;
        case 'A':
            if (ctrl) {
                selection_from_ = html::start_position(doc_.boxes);
                selection_to_ = html::end_position(doc_.boxes);
                InvalidateRect(window_, nullptr, FALSE);
            }
            break;
        default:
            break;
    }
}

// ---- messages
// -------------------------------------------------------------------------------------

LRESULT html_view::handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_SIZE:
            if (w == SIZE_MINIMIZED) return 0;
            client_width_ = LOWORD(l);
            client_height_ = HIWORD(l);
            lay_out();
            scroll_y_ = std::min(scroll_y_, max_scroll());
            update_scroll_bar();
            InvalidateRect(window_, nullptr, FALSE);
            return 0;
        case WM_DPICHANGED_AFTERPARENT:
            fonts_.set_dpi(window_dpi(window_));
            laid_out_width_ = -1;
            lay_out();
            InvalidateRect(window_, nullptr, FALSE);
            return 0;
        case WM_ERASEBKGND:
            return 1;  // painting covers everything
        case WM_PAINT:
            paint();
            return 0;
        case WM_VSCROLL:
            on_scroll(LOWORD(w));
            return 0;
        case WM_TIMER:
            if (w == kScrollBarTimer) {
                KillTimer(window_, kScrollBarTimer);
                scroll_bar_pending_ = false;
                update_scroll_bar();
                return 0;
            }
            break;
        case WM_MOUSEWHEEL:
            on_wheel(GET_WHEEL_DELTA_WPARAM(w));
            return 0;
        case WM_LBUTTONDOWN:
            on_button_down(GET_X_LPARAM(l), GET_Y_LPARAM(l), (w & MK_SHIFT) != 0);
            return 0;
        case WM_MOUSEMOVE:
            on_mouse_move(GET_X_LPARAM(l), GET_Y_LPARAM(l));
            return 0;
        case WM_LBUTTONUP:
            on_button_up(GET_X_LPARAM(l), GET_Y_LPARAM(l));
            return 0;
        case WM_CAPTURECHANGED:
            selecting_ = false;
            return 0;
        case WM_SETCURSOR:
            if (LOWORD(l) == HTCLIENT && on_set_cursor()) return TRUE;
            break;
        case WM_KEYDOWN:
            on_key(static_cast<int>(w));
            return 0;
        case WM_CHAR:
            if (handlers_.character) handlers_.character(static_cast<int>(w));
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(window_, nullptr, FALSE);  // the focus mark comes and goes
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
        default:
            break;
    }
    return DefWindowProcW(window_, message, w, l);
}
