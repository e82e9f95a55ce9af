#include "vexlo/recent_projects_view.h"

#include "core/shell/main_window_model.h"
#include "core/shell/recent_projects.h"
#include "platform/platform.h"
#include "platform/win32/utf16.h"
#include "vexlo/app_state.h"

namespace vexlo {

std::string recent_projects_file() {
    return shell::per_user_file(platform::user_data_folder(), platform::program_path(),
                                ".recent.projects");
}

namespace {
std::string recent_text() {
    std::string text;
    platform::read_file(recent_projects_file(), text);
    return text;
}
}  // namespace

void fill_recent_projects(HWND dialog, int combo_id) {
    const shell::recent_list list = shell::build_recent_list(
        recent_text(), app().project.project_folder,
        [](const std::string& folder) { return platform::file_exists(folder); });
    HWND combo = GetDlgItem(dialog, combo_id);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const std::string& entry : list.entries)
        SendMessageW(combo, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(platform::widen(entry).c_str()));
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(list.selected), 0);
}

void remember_project(HWND dialog, const std::string& folder) {
    const std::string text = recent_text();
    const shell::recent_list shown = shell::build_recent_list(
        text, "", [](const std::string& f) { return platform::file_exists(f); });
    if (!shell::is_listed(shown.entries, folder))
        platform::write_file_safely(recent_projects_file(),
                                    shell::with_appended_folder(text, folder));
    fill_recent_projects(dialog, shell::id_recent);
}

}  // namespace vexlo
