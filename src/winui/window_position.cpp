#include "winui/window_position.h"

#include <optional>

#include "core/shell/position_file.h"
#include "core/shell/recent_projects.h"
#include "platform/platform.h"
#include "winui/dialog_template.h"
#include "winui/message_box.h"

namespace winui {

namespace {

// The saved top-left corner when a window of this size placed there lies on a monitor.
std::optional<POINT> visible_saved_position(SIZE size) {
    std::string text;
    if (!platform::read_file(position_file_path(), text)) return std::nullopt;
    const auto p = shell::parse_position(text);
    if (!p) return std::nullopt;
    // A position on a screen that is no longer connected would hide the window.
    const RECT moved{p->x, p->y, p->x + size.cx, p->y + size.cy};
    if (!MonitorFromRect(&moved, MONITOR_DEFAULTTONULL)) return std::nullopt;
    const POINT title{p->x + 40, p->y + 10};  // the title bar must be reachable
    if (!MonitorFromPoint(title, MONITOR_DEFAULTTONULL)) return std::nullopt;
    return POINT{p->x, p->y};
}

}  // namespace

std::string position_file_path() {
    return shell::per_user_file(platform::user_data_folder(), platform::program_path(), ".pos");
}

void save_window_position(HWND dialog) {
    if (IsIconic(dialog)) return;
    RECT r{};
    GetWindowRect(dialog, &r);
    platform::write_file(position_file_path(), shell::format_position({r.left, r.top}));
}

void place_main_window(HWND window, int client_w, int client_h) {
    const SIZE size = window_size_for_client(window, client_w, client_h);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    POINT at = centred_in(work, size);
    if (const auto saved = visible_saved_position(size)) at = *saved;
    // One move: under Wine every move of a top-level window costs several server round trips.
    SetWindowPos(window, nullptr, at.x, at.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace winui
