#include "lumo/html_view.h"

#include <windowsx.h>

#include <algorithm>

#include "core/html/paint.h"
#include "core/viewer/notice.h"
#include "core/viewer/page_path.h"
#include "lumo/gdi_painter.h"
#include "lumo/html_view_timer.h"
#include "platform/platform.h"
#include "platform/win32/utf16.h"
#include "winui/dpi.h"

namespace lumo {

#ifndef WM_DPICHANGED_AFTERPARENT
#define WM_DPICHANGED_AFTERPARENT 0x02E3  // Windows 10: the parent moved to another DPI
#endif

namespace {

constexpr wchar_t kClassName[] = L"LumoHtmlView";

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
    fonts_.set_dpi(winui::window_dpi(window_));
}

html_view::~html_view() {
    if (buffer_dc_) DeleteDC(buffer_dc_);
    if (window_) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

LRESULT CALLBACK html_view::procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    return dispatch_to_owner<html_view>(window, message, w, l);
}

// ---- content

bool html_view::load(const std::string& path, const std::string& anchor) {
    const bool same = !path_.empty() && viewer::same_path(path, path_);
    html::document doc;
    std::unique_ptr<picture> pic;
    if (is_picture_file(path)) {
        pic = picture::load(path);
        if (!pic) return false;
    } else {
        std::string bytes;
        if (!platform::read_file(path, bytes)) return false;
        doc = html::document::from_bytes(bytes);
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
    return true;
}

void html_view::clear() {
    show_unnamed(html::document{});
}

void html_view::show_missing(const std::string& path) {
    show_unnamed(html::document::from_bytes(viewer::missing_page_html(path)));
}

// A page that is no file: no path, no picture, at its top.
void html_view::show_unnamed(html::document doc) {
    doc_ = std::move(doc);
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
    SetWindowTextW(window_, platform::widen(path_).c_str());
    InvalidateRect(window_, nullptr, FALSE);
}

void html_view::lay_out() {
    const int width = view_width();
    // A view without width (minimised, or not yet placed) keeps the layout it has: laying a
    // long page out one character a line would only cost time.
    if (width == laid_out_width_ || (client_width_ <= 0 && laid_out_width_ >= 0)) return;
    if (picture_)
        doc_.boxes = html::lay_out_picture(picture_->width(), picture_->height(), width);
    else
        doc_.lay_out(width, fonts_);
    laid_out_width_ = width;
    link_order_ = viewer::link_order(doc_.boxes, doc_.tree.links.size());
    // Positions point into the old lines.
    selection_from_ = selection_to_ = {};
}

// ---- painting

void html_view::paint() {
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
}

// ---- messages

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
            fonts_.set_dpi(winui::window_dpi(window_));
            laid_out_width_ = -1;
            lay_out();
            InvalidateRect(window_, nullptr, FALSE);
            return 0;
        case WM_ERASEBKGND: return 1;  // painting covers everything
        case WM_PAINT: paint(); return 0;
        case WM_VSCROLL: on_scroll(LOWORD(w)); return 0;
        case WM_TIMER:
            if (w == html_view_timer::kScrollBar) {
                KillTimer(window_, html_view_timer::kScrollBar);
                scroll_bar_pending_ = false;
                update_scroll_bar();
                return 0;
            }
            break;
        case WM_MOUSEWHEEL: on_wheel(GET_WHEEL_DELTA_WPARAM(w)); return 0;
        case WM_LBUTTONDOWN:
            on_button_down(GET_X_LPARAM(l), GET_Y_LPARAM(l), (w & MK_SHIFT) != 0);
            return 0;
        case WM_MOUSEMOVE: on_mouse_move(GET_X_LPARAM(l), GET_Y_LPARAM(l)); return 0;
        case WM_LBUTTONUP: on_button_up(GET_X_LPARAM(l), GET_Y_LPARAM(l)); return 0;
        case WM_CAPTURECHANGED: selecting_ = false; return 0;
        case WM_SETCURSOR:
            if (LOWORD(l) == HTCLIENT && on_set_cursor()) return TRUE;
            break;
        case WM_KEYDOWN: on_key(static_cast<int>(w)); return 0;
        case WM_CHAR:
            if (handlers_.character) handlers_.character(static_cast<int>(w));
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(window_, nullptr, FALSE);  // the focus mark comes and goes
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
        default: break;
    }
    return DefWindowProcW(window_, message, w, l);
}

}  // namespace lumo
