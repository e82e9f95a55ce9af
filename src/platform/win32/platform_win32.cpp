// The Win32 files and folders of the platform layer: every call goes through the W API.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "platform/platform.h"
#include "platform/win32/handles.h"
#include "platform/win32/utf16.h"

namespace platform {
namespace {

// An injected fault writes half the bytes and fails, as a disk that fills up does.
bool write_all(HANDLE file, std::string_view bytes, const std::string& path) {
    const bool fail = fault_injected(file_step::write, path);
    if (fail) bytes = bytes.substr(0, bytes.size() / 2);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 24));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return !fail;
}

bool write_bytes(const std::string& path, std::string_view bytes) {
    unique_file_handle file(CreateFileW(widen(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.valid() && write_all(file.get(), bytes, path);
}

// A name suffix no earlier call has used: the process, the clock and a counter.
std::string fresh_suffix() {
    static std::atomic<unsigned> counter{0};
    const unsigned mix = (GetCurrentProcessId() << 20) ^ GetTickCount() ^ (counter++ * 2654435761u);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, ".%08x.vxtmp", mix);
    return buffer;
}

std::wstring without_trailing_separators(const std::string& path) {
    std::wstring w = widen(path);
    while (w.size() > 3 && (w.back() == L'\\' || w.back() == L'/')) w.pop_back();
    return w;
}

}  // namespace

bool read_file(const std::string& path, std::string& bytes) {
    if (fault_injected(file_step::read, path)) return false;
    unique_file_handle file(CreateFileW(widen(path).c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7FFFFFFF) return false;
    std::string data(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < data.size()) {
        DWORD got = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(data.size() - done, 1u << 24));
        if (!ReadFile(file.get(), data.data() + done, chunk, &got, nullptr)) return false;
        if (got == 0) break;
        done += got;
    }
    data.resize(done);
    bytes = std::move(data);
    return true;
}

bool write_file(const std::string& path, std::string_view bytes) {
    return write_bytes(path, bytes);
}

std::string stage_file(const std::string& target, std::string_view bytes) {
    for (int attempt = 0; attempt < 64; ++attempt) {
        const std::string staged = target + fresh_suffix();
        const std::wstring w = widen(staged);
        // CREATE_NEW: a name that exists in any form, a link included, is never opened.
        unique_file_handle file(CreateFileW(w.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT,
                                            nullptr));
        if (!file.valid()) {
            const DWORD error = GetLastError();
            if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
            return "";
        }
        const bool ok = write_all(file.get(), bytes, staged);
        file.reset();
        if (ok) return staged;
        DeleteFileW(w.c_str());
        return "";
    }
    return "";
}

std::string stage_copy(const std::string& from, const std::string& target) {
    for (int attempt = 0; attempt < 64; ++attempt) {
        const std::string staged = target + fresh_suffix();
        const std::wstring w = widen(staged);
        if (fault_injected(file_step::write, staged)) {  // the disk fills up during the copy
            CopyFileW(widen(from).c_str(), w.c_str(), TRUE);
            DeleteFileW(w.c_str());
            return "";
        }
        // Fail-if-exists: the copy only ever creates its file, so no link at the name is followed.
        if (CopyFileW(widen(from).c_str(), w.c_str(), TRUE)) return staged;
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return "";
    }
    return "";
}

bool flush_files(const std::vector<std::string>& paths) {
    if (paths.empty()) return true;
    if (fault_injected(file_step::flush, paths.front())) return false;  // one step for them all
    // Without administrator rights a volume cannot be flushed whole: each file is. Several at
    // once, so that the file system can commit them together instead of one after another.
    std::atomic<std::size_t> next{0};
    std::atomic<bool> ok{true};
    const auto flush_some = [&] {
        for (std::size_t i = next++; i < paths.size(); i = next++) {
            unique_file_handle file(
                CreateFileW(widen(paths[i]).c_str(), GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
            if (!file.valid() || !FlushFileBuffers(file.get())) ok = false;
        }
    };
    std::vector<std::jthread> helpers;  // joined however this function ends
    const std::size_t wanted = std::min<std::size_t>(paths.size() / 16, 7);
    for (std::size_t t = 0; t < wanted; ++t) {
        try {
            helpers.emplace_back(flush_some);
        } catch (...) {
            break;  // no more threads: the calling thread does the rest
        }
    }
    flush_some();
    helpers.clear();
    return ok.load();
}

bool write_file_safely(const std::string& path, std::string_view bytes) {
    const std::wstring target = widen(path);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
        !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return false;
    const std::string staged = stage_file(path, bytes);
    if (staged.empty()) return false;
    if (flush_files({staged}) && !fault_injected(file_step::move, path) &&
        MoveFileExW(widen(staged).c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileW(widen(staged).c_str());
    return false;
}

bool is_link(const std::string& path) {
    // The directory entry of the path itself, as a folder listing reports it: the attributes
    // of a link are not always those of the link when asked for by name (Wine follows it).
    WIN32_FIND_DATAW data{};
    unique_find_handle find(FindFirstFileExW(without_trailing_separators(path).c_str(),
                                             FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                             0));
    return find.valid() && (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool is_read_only(const std::string& path) {
    const DWORD a = GetFileAttributesW(widen(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY) &&
           !(a & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
}

bool file_exists(const std::string& path) {
    return !path.empty() && GetFileAttributesW(widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool is_directory(const std::string& path) {
    const DWORD a = GetFileAttributesW(widen(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool remove_file(const std::string& path) {
    if (fault_injected(file_step::remove, path)) return false;
    const std::wstring w = widen(path);
    const DWORD a = GetFileAttributesW(w.c_str());
    if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesW(w.c_str(), a & ~FILE_ATTRIBUTE_READONLY);
    return DeleteFileW(w.c_str()) != 0;
}

bool remove_directory(const std::string& path) {
    // RemoveDirectoryW removes a junction or directory link itself, never its target.
    if (fault_injected(file_step::remove, path)) return false;
    return RemoveDirectoryW(without_trailing_separators(path).c_str()) != 0;
}

bool make_directories(const std::string& path) {
    if (fault_injected(file_step::make_folder, path)) return false;
    std::wstring w = without_trailing_separators(path);
    for (std::size_t i = 0; i <= w.size(); ++i) {
        if (i == w.size() || w[i] == L'\\' || w[i] == L'/') {
            const std::wstring part = w.substr(0, i);
            if (part.empty() || (part.size() == 2 && part[1] == L':')) continue;
            if (GetFileAttributesW(part.c_str()) == INVALID_FILE_ATTRIBUTES)
                CreateDirectoryW(part.c_str(), nullptr);
        }
    }
    return is_directory(path);
}

bool move_file(const std::string& from, const std::string& to) {
    // Either end can refuse: a file held open cannot leave, a protected name cannot be taken.
    if (fault_injected(file_step::move, from) || fault_injected(file_step::move, to)) return false;
    return MoveFileExW(widen(from).c_str(), widen(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED) != 0;
}

bool copy_file(const std::string& from, const std::string& to) {
    if (fault_injected(file_step::write, to)) {  // the disk fills up half-way through the copy
        std::string bytes;
        unique_file_handle file(CreateFileW(widen(to).c_str(), GENERIC_WRITE, 0, nullptr,
                                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        if (file.valid() && read_file(from, bytes))
            WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size() / 2), &written,
                      nullptr);
        return false;
    }
    return CopyFileW(widen(from).c_str(), widen(to).c_str(), FALSE) != 0;
}

bool file_size(const std::string& path, std::uint64_t& size) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(widen(path).c_str(), GetFileExInfoStandard, &data)) return false;
    size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return true;
}

bool list_directory(const std::string& folder, std::vector<dir_entry>& entries) {
    const std::wstring pattern = without_trailing_separators(folder) + L"\\*";
    WIN32_FIND_DATAW data{};
    unique_find_handle find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data,
                                             FindExSearchNameMatch, nullptr,
                                             FIND_FIRST_EX_LARGE_FETCH));
    if (!find.valid()) return false;
    entries.clear();
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        dir_entry e;
        e.name = narrow(name);
        e.is_directory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        e.is_hidden = (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
        e.is_system = (data.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0;
        e.is_read_only = (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
        e.is_link = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        entries.push_back(std::move(e));
    } while (FindNextFileW(find.get(), &data));
    return true;
}

}  // namespace platform
