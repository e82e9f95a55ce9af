// Where things are: environment variables, the program's folder, the per-user folders, and the time
// of day.
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <string>

#include "platform/platform.h"
#include "platform/win32/utf16.h"

namespace platform {

std::string environment_variable(const std::string& name) {
    const std::wstring w = widen(name);
    const DWORD n = GetEnvironmentVariableW(w.c_str(), nullptr, 0);
    if (n == 0) return "";
    std::wstring value(n, L'\0');
    const DWORD got = GetEnvironmentVariableW(w.c_str(), value.data(), n);
    value.resize(got);
    return narrow(value);
}

std::string program_path() {
    std::wstring buffer(32768, L'\0');
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    buffer.resize(n);
    return narrow(buffer);
}

std::string program_folder() {
    const std::string path = program_path();
    const std::size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? ".\\" : path.substr(0, slash + 1);
}

std::string temp_folder() {
    std::wstring buffer(MAX_PATH + 2, L'\0');
    DWORD n = GetTempPathW(static_cast<DWORD>(buffer.size()), buffer.data());
    buffer.resize(n);
    while (!buffer.empty() && buffer.back() == L'\\') buffer.pop_back();
    return narrow(buffer);
}

std::string user_data_folder() {
    wchar_t buffer[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, buffer))) return "";
    std::wstring w = buffer;
    while (!w.empty() && w.back() == L'\\') w.pop_back();
    return narrow(w);
}

double seconds_since_midnight() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return t.wHour * 3600.0 + t.wMinute * 60.0 + t.wSecond + t.wMilliseconds / 1000.0;
}

std::string local_date() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04u-%02u-%02u", t.wYear, t.wMonth, t.wDay);
    return buffer;
}

}  // namespace platform
