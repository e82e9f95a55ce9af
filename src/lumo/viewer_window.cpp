#include "lumo/viewer_window.h"

#include <shellapi.h>

#include <iterator>

#include "core/viewer/window_geometry.h"
#include "lumo/viewer_ids.h"
#include "platform/platform.h"
#include "platform/win32/utf16.h"
#include "winui/dialog_font.h"
#include "winui/app_messages.h"
#include "winui/dpi.h"

namespace lumo {

namespace {

constexpr wchar_t kClassName[] = L"LumoViewer";
constexpr COLORREF kStripBackground = RGB(255, 0, 0);
constexpr COLORREF kStripText = RGB(0, 255, 255);  // aqua
constexpr int kStripWidth = 602;
constexpr int kStripHeight = 17;

HMENU build_menu() {
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, lumo::viewer_ids::menu_exit, L"Exit");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"File");
    AppendMenuW(bar, MF_STRING, lumo::viewer_ids::menu_home, L"Home");
    AppendMenuW(bar, MF_STRING | MF_GRAYED, lumo::viewer_ids::menu_back, L"Back");
    return bar;
}

}  // namespace

viewer_window::viewer_window(HINSTANCE instance, viewer::arguments args)
    : instance_(instance), args_(std::move(args)) {}

viewer_window::~viewer_window() {
    view_.reset();
    if (window_) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    // The menu bar goes with its window; one never attached (borderless mode) is freed here.
    if (menu_ && args_.borderless) DestroyMenu(menu_);
}

bool viewer_window::create(int show_command) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance_;
    wc.hIcon = LoadIconW(instance_, L"AICO");
    wc.hIconSm =
        static_cast<HICON>(LoadImageW(instance_, L"AICO", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                      GetSystemMetrics(SM_CYSMICON), 0));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kClassName;
    if (!RegisterClassExW(&wc) || !html_view::register_class(instance_)) return false;

    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const viewer::area screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const viewer::area free_area{work.left, work.top, work.right - work.left,
                                 work.bottom - work.top};
    const viewer::area place = viewer::initial_window(args_, screen, free_area);

    // Borderless: no frame, and every menu item hidden, which leaves no menu bar.
    menu_ = build_menu();
    const DWORD style =
        args_.borderless ? WS_POPUP | WS_CLIPCHILDREN : WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    CreateWindowExW(0, kClassName, L"lumoview", style, place.left, place.top, place.width,
                    place.height, nullptr, args_.borderless ? nullptr : menu_, instance_, this);
    if (!window_) return false;
    ShowWindow(window_, show_command == SW_SHOWMAXIMIZED ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    UpdateWindow(window_);
    return true;
}

LRESULT CALLBACK viewer_window::procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    return dispatch_to_owner<viewer_window>(window, message, w, l);
}

void viewer_window::on_create() {
    navigator_ = std::make_unique<viewer::navigator>(args_, platform::program_folder(), *this);
    html_view::callbacks handlers;
    handlers.link = [this](const std::string& target) { navigator_->link_clicked(target); };
    handlers.key = [this](int vk) { return navigator_->key_down(vk); };
    handlers.character = [this](int ch) { return navigator_->key_char(ch); };
    view_ = std::make_unique<html_view>(window_, lumo::viewer_ids::view, std::move(handlers));
    place_children();  // sized before the first activation lays a page out in it

    const UINT dpi = winui::window_dpi(window_);
    strip_ = CreateWindowExW(
        0, L"STATIC", L"", WS_CHILD | SS_CENTER | SS_CENTERIMAGE, 0, 0,
        winui::scale(kStripWidth, dpi), winui::scale(kStripHeight, dpi), window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(lumo::viewer_ids::strip)), instance_, nullptr);
    strip_font_ = winui::dialog_font(dpi, 8, FW_BOLD, L"MS Sans Serif", {false, false, false});
    SendMessageW(strip_, WM_SETFONT, reinterpret_cast<WPARAM>(strip_font_.get()), FALSE);
    strip_brush_.reset(CreateSolidBrush(kStripBackground));
    SetWindowPos(strip_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void viewer_window::place_children() {
    RECT client{};
    GetClientRect(window_, &client);
    if (view_) MoveWindow(view_->window(), 0, 0, client.right, client.bottom, TRUE);
}

void viewer_window::on_activate() {
    if (activating_ || !navigator_) return;
    activating_ = true;
    navigator_->activated();
    activating_ = false;
    SetFocus(view_->window());
    if (!first_page_shown_) {
        first_page_shown_ = true;
        if (first_page_callback_) PostMessageW(window_, winui::msg_first_page_ready, 0, 0);
    }
}

LRESULT viewer_window::handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_CREATE: on_create(); return 0;
        case WM_SIZE: place_children(); return 0;
        case WM_ACTIVATE:
            if (LOWORD(w) != WA_INACTIVE && !HIWORD(w)) {
                on_activate();
                return 0;
            }
            break;
        case WM_SETFOCUS:
            if (view_) SetFocus(view_->window());
            return 0;
        case WM_COMMAND:
            switch (LOWORD(w)) {
                case lumo::viewer_ids::menu_exit: close(); return 0;
                case lumo::viewer_ids::menu_home: navigator_->home(); return 0;
                case lumo::viewer_ids::menu_back: navigator_->back(); return 0;
                default: break;
            }
            break;
        case WM_CHAR: navigator_->key_char(static_cast<int>(w)); return 0;
        case WM_CTLCOLORSTATIC:
            if (reinterpret_cast<HWND>(l) == strip_) {
                HDC dc = reinterpret_cast<HDC>(w);
                SetTextColor(dc, kStripText);
                SetBkColor(dc, kStripBackground);
                return reinterpret_cast<LRESULT>(strip_brush_.get());
            }
            break;
        case WM_MOUSEWHEEL:
            if (view_) return SendMessageW(view_->window(), message, w, l);
            break;
        case winui::msg_first_page_ready:
            if (first_page_callback_) first_page_callback_(*this);
            return 0;
        case WM_CLOSE: DestroyWindow(window_); return 0;
        case WM_DESTROY: PostQuitMessage(0); return 0;
        default: break;
    }
    return DefWindowProcW(window_, message, w, l);
}

// ---- what the navigator asks for ----------------------------------------------------------------

bool viewer_window::load(const std::string& path, const std::string& anchor) {
    return view_->load(path, anchor);
}

void viewer_window::clear() {
    view_->clear();
}

void viewer_window::scroll_to_anchor(const std::string& anchor) {
    view_->scroll_to_anchor(anchor);
}

std::string viewer_window::current_page() const {
    return view_->current_page();
}

void viewer_window::show_missing(const std::string& path) {
    view_->show_missing(path);
}

std::string viewer_window::current_folder() const {
    wchar_t buffer[MAX_PATH * 4] = {};
    const DWORD n = GetCurrentDirectoryW(static_cast<DWORD>(std::size(buffer)), buffer);
    std::string folder = platform::narrow(std::wstring_view(buffer, n < std::size(buffer) ? n : 0));
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
}

bool viewer_window::set_current_folder(const std::string& folder) {
    return SetCurrentDirectoryW(platform::widen(folder).c_str()) != 0;
}

void viewer_window::shell_open(const std::string& target) {
    ShellExecuteW(window_, L"open", platform::widen(target).c_str(), nullptr, nullptr,
                  SW_SHOWNORMAL);
}

void viewer_window::show_status(bool visible) {
    ShowWindow(strip_, visible ? SW_SHOW : SW_HIDE);
}

void viewer_window::set_status(const std::string& text) {
    SetWindowTextW(strip_, platform::widen(text).c_str());
}

void viewer_window::enable_back(bool enabled) {
    EnableMenuItem(menu_, lumo::viewer_ids::menu_back,
                   MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    if (!args_.borderless) DrawMenuBar(window_);
}

void viewer_window::maximise() {
    ShowWindow(window_, SW_MAXIMIZE);
}

void viewer_window::close() {
    PostMessageW(window_, WM_CLOSE, 0, 0);
}

}  // namespace lumo
