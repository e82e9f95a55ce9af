// "Open res folder" and "Open src folder": Explorer on the project's resources
// and on the source folder of its package.
#include <windows.h>
#include <shellapi.h>

#include "core/assets/project_files.h"
#include "core/shell/main_window_model.h"
#include "core/text/encoding.h"
#include "platform/win32/utf16.h"
#include "vexlo/app_state.h"
#include "vexlo/command_registry.h"

namespace vexlo {

namespace {

// Whether the folder exists is Explorer's to tell.
void open_in_explorer(const std::string& folder) {
    const std::wstring parameter = platform::widen(assets::explorer_parameter(folder));
    ShellExecuteW(nullptr, L"open", L"explorer.exe", parameter.c_str(), nullptr, SW_SHOW);
}

void open_res_folder(HWND) {
    open_in_explorer(assets::res_folder(app().project.project_folder));
}

void open_src_folder(HWND) {
    const project::project_state& p = app().project;
    open_in_explorer(assets::src_folder(p.project_folder, text::display_text(p.package_name)));
}

const bool res_registered = register_command(shell::id_res_folder, open_res_folder);
const bool src_registered = register_command(shell::id_src_folder, open_src_folder);

}  // namespace

}  // namespace vexlo
