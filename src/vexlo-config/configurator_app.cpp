#include "vexlo-config/configurator_app.h"

#include "core/build/tool_config.h"
#include "core/configurator/configurator_texts.h"
#include "core/text/text_helpers.h"
#include "platform/platform.h"
#include "platform/win32/utf16.h"
#include "winui/message_box.h"

namespace vexlo_config {

configurator_app& app() {
    static configurator_app state;
    return state;
}

std::string config_file_path() {
    return build::configurator_config_file(platform::program_folder());
}

namespace {

std::string folder_text(const wchar_t* buffer, UINT n) {
    if (n == 0 || n >= MAX_PATH) return "";
    return text::with_one_trailing_backslash(platform::narrow(std::wstring_view(buffer, n)));
}

std::string current_folder() {
    const DWORD n = GetCurrentDirectoryW(0, nullptr);
    std::wstring buffer(n, L'\0');
    const DWORD got = GetCurrentDirectoryW(n, buffer.data());
    if (got == 0 || got >= n) return "";
    buffer.resize(got);
    return text::with_one_trailing_backslash(platform::narrow(buffer));
}

}  // namespace

configurator::detection_places this_machine() {
    configurator::detection_places places;  // the fixed Program Files folders by default
    places.program_folder = platform::program_folder();
    places.working_folder = current_folder();
    // The order of the system's own file search: the program's folder, the current folder,
    // the system folders, then the PATH.
    places.search_folders.push_back(places.program_folder);
    if (!places.working_folder.empty()) places.search_folders.push_back(places.working_folder);
    wchar_t buffer[MAX_PATH] = {};
    const std::string system = folder_text(buffer, GetSystemDirectoryW(buffer, MAX_PATH));
    const std::string windows = folder_text(buffer, GetWindowsDirectoryW(buffer, MAX_PATH));
    if (!system.empty()) places.search_folders.push_back(system);
    if (!windows.empty()) {
        places.search_folders.push_back(windows + "system\\");
        places.search_folders.push_back(windows);
    }
    for (std::string& f :
         configurator::path_variable_folders(platform::environment_variable("PATH")))
        places.search_folders.push_back(std::move(f));
    places.java_home = platform::environment_variable("JAVA_HOME");
    return places;
}

int tell(HWND owner, const std::string& text, UINT style) {
    return winui::show_message(owner, text, std::string(configurator::kMessageCaption),
                               style | MB_TASKMODAL);
}

}  // namespace vexlo_config
