#include "vexlo-config/detection_commands.h"

#include <ole2.h>
#include <shlobj.h>

#include <optional>
#include <string>

#include "core/build/tool_config_reader.h"
#include "core/configurator/pending_detections.h"
#include "core/configurator/tool_detection.h"
#include "core/configurator/tool_versions.h"
#include "platform/platform.h"
#include "platform/win32/utf16.h"
#include "vexlo-config/configurator_app.h"
#include "vexlo-config/control_ids.h"
#include "vexlo-config/status_refresh.h"
#include "winui/text_controls.h"

namespace vexlo_config {

using configurator::tool_section;

namespace {

configurator::pending_detections g_pending;  // what each detection found, until shown

int index_of(tool_section s) {
    return static_cast<int>(s);
}

int detect_button(tool_section s) {
    return s == tool_section::jdk   ? id_jdk_detect
           : s == tool_section::sdk ? id_sdk_detect
                                    : id_ant_detect;
}

std::string& path_field(tool_section s) {
    build::tool_config& c = app().config;
    return s == tool_section::jdk   ? c.jdk_path
           : s == tool_section::sdk ? c.android_sdk_path
                                    : c.ant_path;
}

void store(HWND window, tool_section s, const std::string& path) {
    path_field(s) = path;
    if (s == tool_section::sdk && app().config.sdk_state == -1) app().config.sdk_state = -2;
    request_status_refresh(window);
}

int CALLBACK preselect(HWND browser, UINT message, LPARAM, LPARAM data) {
    if (message == BFFM_INITIALIZED && data) SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, data);
    return 0;
}

// The folder the user picks, or "" when the browser was cancelled.
std::string pick_folder(HWND owner, const std::string& title, const std::string& current) {
    // The browser's new style needs the thread's apartment; set up once, when first needed.
    static const HRESULT apartment = OleInitialize(nullptr);
    (void)apartment;
    const std::wstring wide_title = platform::widen(title);
    const std::wstring wide_current = platform::widen(current);
    wchar_t display[MAX_PATH] = {};
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.pszDisplayName = display;
    info.lpszTitle = wide_title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    info.lpfn = preselect;
    info.lParam = wide_current.empty() ? 0 : reinterpret_cast<LPARAM>(wide_current.c_str());
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
    if (!chosen) return "";
    wchar_t path[MAX_PATH] = {};
    const bool ok = SHGetPathFromIDListW(chosen, path) != FALSE;
    CoTaskMemFree(chosen);
    return ok ? platform::narrow(path) : "";
}

}  // namespace

void start_autodetect(HWND window, tool_section section) {
    winui::enable_item(window, detect_button(section), false);
    const configurator::detection_places places = this_machine();
    g_pending.start(section, section == tool_section::jdk ? configurator::detect_jdk(places)
                             : section == tool_section::sdk
                                 ? configurator::detect_android_sdk(places)
                                 : configurator::detect_ant(places));
    SetTimer(window, kDetectTimerBase + index_of(section), 1000, nullptr);
}

bool finish_autodetect(HWND window, UINT_PTR timer) {
    if (timer < kDetectTimerBase || timer >= kDetectTimerBase + 3) return false;
    KillTimer(window, timer);
    const auto section = static_cast<tool_section>(timer - kDetectTimerBase);
    const std::optional<std::string> waiting = g_pending.take(section);
    if (!waiting) return true;  // the user chose a folder meanwhile
    const std::string& found = *waiting;
    if (found.empty()) {
        winui::enable_item(window, detect_button(section), true);
        tell(window, configurator::not_found_text(section), MB_OK | MB_ICONEXCLAMATION);
        return true;
    }
    store(window, section, found);
    const std::string problem = configurator::version_problem(section, found);
    if (problem.empty())
        tell(window, configurator::found_text(section, found), MB_OK | MB_ICONINFORMATION);
    else
        tell(window, configurator::found_text(section, found) + "\r\r" + problem,
             MB_OK | MB_ICONEXCLAMATION);
    return true;
}

void browse_for_tool(HWND window, tool_section section) {
    std::string current = path_field(section);
    if (section == tool_section::ant && !current.empty())
        current = build::resolve_ant_path(current, platform::program_folder());
    const std::string folder = pick_folder(window, configurator::browse_title(section), current);
    if (folder.empty()) return;
    const std::string accepted =
        section == tool_section::jdk   ? configurator::accept_jdk_folder(folder)
        : section == tool_section::sdk ? configurator::accept_sdk_folder(folder)
                                       : configurator::accept_ant_folder(folder);
    if (accepted.empty()) {
        // SDK Tools of revision 26 and later lack what the check looks for: say why.
        const std::string problem = configurator::version_problem(section, folder);
        tell(window, problem.empty() ? configurator::invalid_folder_text(section) : problem,
             MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // The user's choice is the later word: a detection still on its way for this section is
    // dropped rather than allowed to overwrite it.
    g_pending.user_chose(section);
    if (KillTimer(window, kDetectTimerBase + index_of(section)))
        winui::enable_item(window, detect_button(section), true);
    store(window, section, accepted);
    const std::string problem = configurator::version_problem(section, accepted);
    if (!problem.empty()) tell(window, problem, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace vexlo_config
