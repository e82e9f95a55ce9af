#pragma once
// Shared by the compile tests: the stand-in toolchain laid out once per run, a complete tool
// configuration beside Vexlo.exe that points at it, and a look at running processes.
#include <windows.h>
#include <tlhelp32.h>

#include <string>

#include "core/build/tool_config.h"
#include "core/build/tool_config_writer.h"
#include "gui/gui_driver.h"
#include "platform/platform.h"
#include "platform/win32/utf16.h"

namespace compile_support {

// The folder with the built stand-in tools (beside the programs' folder).
inline std::string fake_tools_folder() {
    std::string bin = gui::bin_folder();
    bin.pop_back();
    return bin.substr(0, bin.rfind('\\') + 1) + "fake-tools\\";
}

// Lays the stand-in toolchain out once per run: jdk, sdk, ant and release.keystore (alias
// "demo", password "demo-pass"). Returns its folder with a trailing backslash, "" on failure.
inline std::string toolchain() {
    static const std::string folder = [] {
        const std::string root = gui::scratch_root() + "toolchain";
        std::wstring command = L"\"" + platform::widen(fake_tools_folder() + "fake_toolchain.exe") +
                               L"\" \"" + platform::widen(root) + L"\"";
        STARTUPINFOW si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                            nullptr, nullptr, &si, &pi))
            return std::string();
        WaitForSingleObject(pi.hProcess, 30000);
        DWORD code = 1;
        GetExitCodeProcess(pi.hProcess, &code);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        return code == 0 ? root + "\\" : std::string();
    }();
    return folder;
}

// The configuration that points at the stand-in toolchain.
inline build::tool_config toolchain_config(const std::string& alias = "demo",
                                           const std::string& password = "demo-pass") {
    const std::string root = toolchain();
    build::tool_config c;
    c.jdk_path = root + "jdk";
    c.android_sdk_path = root + "sdk";
    c.build_tools_path = root + "sdk\\build-tools\\23.0.3";
    c.api_target_id = 1;
    c.ant_path = root + "ant";
    c.keystore_path = root + "release.keystore";
    c.keystore_alias = alias;
    c.keystore_password = password;
    return c;
}

// Writes Vexlo.cfg beside Vexlo.exe for the configuration.
inline bool write_config(const build::tool_config& c) {
    const std::string file = gui::bin_folder() + "Vexlo.cfg";
    platform::remove_file(file);
    return build::write_tool_config(file, c, "Android 6.0 (API  23)");
}

// The number of running processes with this executable name.
inline int processes_named(const std::string& name) {
    int count = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry))
        if (_wcsicmp(entry.szExeFile, platform::widen(name).c_str()) == 0) ++count;
    CloseHandle(snapshot);
    return count;
}

inline void end_processes(const std::string& name) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry)) {
        if (_wcsicmp(entry.szExeFile, platform::widen(name).c_str()) != 0) continue;
        if (HANDLE p = OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID)) {
            TerminateProcess(p, 1);
            CloseHandle(p);
        }
    }
    CloseHandle(snapshot);
}

}  // namespace compile_support
