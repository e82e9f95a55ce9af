#pragma once
// What the benchmarks that drive Vexlo.exe share: the stand-in tools and their Vexlo.cfg, the
// program started with a project in its recent list, and the clicks.
#include <windows.h>

#include <chrono>
#include <string>

#include "core/build/tool_config.h"
#include "core/build/tool_config_writer.h"
#include "core/shell/main_window_model.h"
#include "core/shell/recent_projects.h"
#include "platform/platform.h"
#include "platform/win32/utf16.h"

namespace bench {

using clock_type = std::chrono::steady_clock;

inline double ms_since(clock_type::time_point start) {
    return std::chrono::duration<double, std::milli>(clock_type::now() - start).count();
}

// Runs a command line without a window and returns its exit code (1 when it cannot start).
inline DWORD run_and_wait(const std::string& command_line, const std::string& folder = "") {
    std::wstring command = platform::widen(command_line);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        folder.empty() ? nullptr : platform::widen(folder).c_str(), &si, &pi))
        return 1;
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code;
}

// Lays out the stand-in tools (from ..\fake-tools) in root's "tools" folder and rewrites the
// Vexlo.cfg beside the program for them. False when the tools cannot be laid out.
inline bool use_stand_in_tools(const std::string& bin, const std::string& root,
                               build::tool_config& tools) {
    std::string parent = bin.substr(0, bin.size() - 1);
    parent = parent.substr(0, parent.rfind('\\') + 1);
    if (run_and_wait("\"" + parent + "fake-tools\\fake_toolchain.exe\" \"" + root + "tools\"") != 0)
        return false;
    tools.jdk_path = root + "tools\\jdk";
    tools.android_sdk_path = root + "tools\\sdk";
    tools.build_tools_path = root + "tools\\sdk\\build-tools\\23.0.3";
    tools.api_target_id = 1;
    tools.ant_path = root + "tools\\ant";
    tools.keystore_path = root + "tools\\release.keystore";
    tools.keystore_alias = "demo";
    tools.keystore_password = "demo-pass";
    platform::remove_file(bin + "Vexlo.cfg");
    build::write_tool_config(bin + "Vexlo.cfg", tools, "Android 6.0 (API  23)");
    return true;
}

// Starts the program beside the benchmark with the project folder (ending in a backslash) as
// the one entry of its recent list.
inline bool start_vexlo(const std::string& bin, const std::string& project,
                        PROCESS_INFORMATION& process) {
    platform::make_directories(platform::user_data_folder());
    platform::write_file(
        shell::per_user_file(platform::user_data_folder(), "Vexlo.exe", ".recent.projects"),
        project.substr(0, project.size() - 1) + "\r\n");
    std::wstring command = L"\"" + platform::widen(bin + "Vexlo.exe") + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    process = {};
    return CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &si, &process) != 0;
}

inline void press(HWND window, int id) {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

inline void press_and_wait(HWND window, int id) {
    press(window, id);
    while (IsWindow(window)) Sleep(1);
}

// Loads the recent list's project, as choosing it in the list does.
inline void load_recent_project(HWND main) {
    SendMessageW(GetDlgItem(main, shell::id_recent), CB_SETCURSEL, 1, 0);
    SendMessageW(main, WM_COMMAND, MAKEWPARAM(shell::id_recent, CBN_SELENDOK),
                 reinterpret_cast<LPARAM>(GetDlgItem(main, shell::id_recent)));
}

}  // namespace bench
