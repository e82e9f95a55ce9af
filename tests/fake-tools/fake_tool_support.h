#pragma once
// Shared by the stand-ins of the build tools used in tests and in the demo: the command line,
// console output, small file helpers and the per-project knobs ("fake-tools.txt").
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/win32/utf16.h"

namespace fake {

// The arguments after the program name, in UTF-8.
inline std::vector<std::string> arguments() {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> out;
    for (int i = 1; i < count; ++i) out.push_back(platform::narrow(wide[i]));
    LocalFree(wide);
    return out;
}

// The value after an option ("-keystore x"), or "" when the option is absent.
inline std::string option(const std::vector<std::string>& args, const std::string& name) {
    for (std::size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == name) return args[i + 1];
    return "";
}

inline bool has(const std::vector<std::string>& args, const std::string& name) {
    for (const std::string& a : args)
        if (a == name) return true;
    return false;
}

inline void print(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

inline std::string current_folder() {
    wchar_t buffer[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, buffer);
    std::string folder = platform::narrow(buffer);
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder;
}

inline std::string full_path(const std::string& name) {
    if (name.size() > 1 && (name[1] == ':' || name[0] == '\\')) return name;
    return current_folder() + name;
}

inline std::string own_folder() {
    return platform::program_folder();
}

// A knob from "fake-tools.txt" in the current folder (or the given one, with its trailing
// backslash) or the one above it ("name=value" lines): lets a test project ask a tool to take
// its time.
inline std::string knob(const std::string& name, const std::string& folder = "") {
    std::string text;
    const std::string here = folder.empty() ? current_folder() : folder;
    const std::string parent = here.substr(0, here.rfind('\\', here.size() - 2) + 1);
    if (!platform::read_file(here + "fake-tools.txt", text) &&
        !platform::read_file(parent + "fake-tools.txt", text))
        return "";
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind(name + "=", 0) == 0) return line.substr(name.size() + 1);
        at = end + 1;
    }
    return "";
}

inline void delay_from_knob(const std::string& name, const std::string& folder = "") {
    const std::string value = knob(name, folder);
    if (!value.empty()) Sleep(static_cast<DWORD>(std::stoul(value)));
}

}  // namespace fake
