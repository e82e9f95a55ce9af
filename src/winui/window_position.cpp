#include "winui/window_position.h"

#include "core/shell/position_file.h"
#include "core/shell/recent_projects.h"
#include "platform/platform.h"

std::string position_file_path() {
    return shell::per_user_file(platform::user_data_folder(), platform::program_path(), ".pos");
}

void save_window_position(HWND dialog) {
    if (IsIconic(dialog)) return;
    RECT r{};
    GetWindowRect(dialog, &r);
    platform::write_file(position_file_path(), shell::format_position({r.left, r.top}));
}

void restore_window_position(HWND dialog) {
    std::string text;
    if (!platform::read_file(position_file_path(), text)) return;
    const auto p = shell::parse_position(text);
    if (!p) return;
    // A position on a screen that is no longer connected would hide the window.
    RECT r{};
    GetWindowRect(dialog, &r);
    const RECT moved{p->x, p->y, p->x + (r.right - r.left), p->y + (r.bottom - r.top)};
    if (!MonitorFromRect(&moved, MONITOR_DEFAULTTONULL)) return;
    const POINT title{p->x + 40, p->y + 10};  // the title bar must be reachable
    if (!MonitorFromPoint(title, MONITOR_DEFAULTTONULL)) return;
    SetWindowPos(dialog, nullptr, p->x, p->y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}
