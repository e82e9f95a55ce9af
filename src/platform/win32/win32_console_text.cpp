// Text for batch files and from the tools: the console's code page and the short forms of paths.
#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/platform.h"
#include "platform/win32/utf16.h"

namespace platform {

bool batch_encoding(std::string_view utf8, std::string& bytes) {
    if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return (c & 0x80) == 0; })) {
        bytes.assign(utf8);
        return true;
    }
    const UINT code_page = GetOEMCP();
    if (code_page == CP_UTF8) {
        bytes.assign(utf8);
        return true;
    }
    const std::wstring wide = widen(utf8);
    if (wide.empty()) return false;  // not valid UTF-8
    BOOL defaulted = FALSE;
    const int size = static_cast<int>(wide.size());
    const int n = WideCharToMultiByte(code_page, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr,
                                      0, nullptr, &defaulted);
    if (n <= 0 || defaulted) return false;
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(code_page, WC_NO_BEST_FIT_CHARS, wide.data(), size, out.data(), n, nullptr,
                        &defaulted);
    // Some code pages take no notice of the flag: only a faithful round trip counts.
    std::wstring back(wide.size() + 1, L'\0');
    const int m = MultiByteToWideChar(code_page, 0, out.data(), n, back.data(),
                                      static_cast<int>(back.size()));
    if (defaulted || m != size || back.compare(0, wide.size(), wide) != 0) return false;
    bytes = std::move(out);
    return true;
}

std::string batch_readable_path(const std::string& path) {
    std::string bytes;
    if (batch_encoding(path, bytes)) return path;
    const std::wstring wide = widen(path);
    const DWORD size = GetShortPathNameW(wide.c_str(), nullptr, 0);
    if (size == 0) return path;  // it does not exist (yet)
    std::wstring shorter(size, L'\0');
    const DWORD n = GetShortPathNameW(wide.c_str(), shorter.data(), size);
    if (n == 0 || n >= size) return path;
    shorter.resize(n);
    const std::string result = narrow(shorter);
    return batch_encoding(result, bytes) ? result : path;
}

namespace {

// UTF-8 text as it is, otherwise the bytes read in the given code page.
std::string decoded_in(UINT code_page, std::string_view bytes) {
    if (bytes.empty()) return {};
    const int size = static_cast<int>(bytes.size());
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0) > 0)
        return std::string(bytes);
    const int n = MultiByteToWideChar(code_page, 0, bytes.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(code_page, 0, bytes.data(), size, wide.data(), n);
    return narrow(wide);
}

}  // namespace

std::string batch_decoding(std::string_view bytes) {
    return decoded_in(GetOEMCP(), bytes);
}

std::string tool_log_decoding(std::string_view bytes) {
    return decoded_in(GetACP(), bytes);
}

}  // namespace platform
