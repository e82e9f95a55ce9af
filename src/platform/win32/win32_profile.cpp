// The INI files through the profile calls, which keep Unicode only in a file that starts with the
// UTF-16LE byte order mark.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/win32/utf16.h"

namespace platform {

namespace {

// The profile calls take no longer path: given one, they may write their text to a file of
// another name in the current folder and still answer success.
bool fits_profile_calls(const std::wstring& path) {
    return path.size() < MAX_PATH;
}

}  // namespace

std::string profile_read(const std::string& file, const std::string& section,
                         const std::string& key) {
    // The call cuts a value that does not fit; grow the buffer until it does.
    const std::wstring w_file = widen(file), w_section = widen(section), w_key = widen(key);
    if (!fits_profile_calls(w_file)) return "";
    std::wstring buffer(512, L'\0');
    for (;;) {
        const DWORD n =
            GetPrivateProfileStringW(w_section.c_str(), w_key.c_str(), L"", buffer.data(),
                                     static_cast<DWORD>(buffer.size()), w_file.c_str());
        if (n + 1 < buffer.size() || buffer.size() >= (1u << 20)) {
            buffer.resize(n);
            return narrow(buffer);
        }
        buffer.resize(buffer.size() * 2);
    }
}

bool profile_write_values(const std::string& file, const std::string& section,
                          const std::vector<std::pair<std::string, std::string>>& values) {
    // The profile calls keep Unicode only in a file that starts with the UTF-16LE byte order
    // mark; any other file gets ANSI text, which loses characters outside the code page. So a
    // new (or empty) file becomes Unicode, and an ANSI file written by an earlier version is
    // converted to Unicode, all its text kept, before the keys are set. The keys are set in a
    // copy beside the file, which replaces it only when every key is written: a failure (a
    // full disk) leaves the file as it was.
    std::string bytes;
    if (GetFileAttributesW(widen(file).c_str()) != INVALID_FILE_ATTRIBUTES &&
        !read_file(file, bytes))
        return false;
    const bool unicode = bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
                         static_cast<unsigned char>(bytes[1]) == 0xFE;
    if (!unicode) {
        std::wstring text;
        if (!bytes.empty()) {
            const int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(),
                                              static_cast<int>(bytes.size()), nullptr, 0);
            text.resize(static_cast<std::size_t>(n));
            MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()),
                                text.data(), n);
        }
        bytes = "\xFF\xFE";
        bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    }
    const std::string staged = stage_file(file, bytes);
    if (staged.empty()) return false;
    const std::wstring w_staged = widen(staged);
    if (!fits_profile_calls(w_staged)) {
        DeleteFileW(w_staged.c_str());
        return false;
    }
    bool ok = true;
    for (const auto& [key, value] : values)
        ok = ok && !fault_injected(file_step::write, staged) &&
             WritePrivateProfileStringW(widen(section).c_str(), widen(key).c_str(),
                                        widen(value).c_str(), w_staged.c_str()) != 0;
    ok = ok && flush_files({staged}) && !fault_injected(file_step::move, file) &&
         MoveFileExW(w_staged.c_str(), widen(file).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileW(w_staged.c_str());
    return ok;
}

bool profile_write(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) {
    return profile_write_values(file, section, {{key, value}});
}

}  // namespace platform
