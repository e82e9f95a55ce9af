#include "test_support.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <vector>

#include "platform/platform.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/win32/utf16.h"
#else
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#endif

namespace testing_support {

namespace {
std::string unique_name() {
    static std::atomic<int> counter{0};
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    return "vx-test-" + std::to_string(ticks % 100000000) + "-" + std::to_string(counter++);
}
}  // namespace

#ifdef _WIN32
namespace {
// Wine answers CreateSymbolicLinkW without making a link, but shows a link of its host system
// as one: the host's own tool makes it, given the host's names of the paths.
bool run_host_tool(const wchar_t* tool, const std::vector<std::string>& arguments) {
    using host_name_fn = char*(CDECL*)(const wchar_t*);
    const auto host_name = reinterpret_cast<host_name_fn>(
        GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name"));
    if (!host_name) return false;
    std::wstring line = tool;
    for (const std::string& a : arguments) {
        std::string name = a;
        if (a.size() > 1 && a[1] == ':') {
            char* host = host_name(platform::widen(a).c_str());
            if (!host) return false;
            name = host;
            HeapFree(GetProcessHeap(), 0, host);
        }
        line += L" \"" + platform::widen(name) + L"\"";
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(tool, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

// A host process is not one that Wine can wait for: its work shows when it shows.
bool soon(const std::function<bool()>& done) {
    for (int i = 0; i < 250 && !done(); ++i) Sleep(20);
    return done();
}
}  // namespace
#endif

void remove_tree(const std::string& folder) {
    std::vector<platform::dir_entry> entries;
    if (platform::list_directory(folder, entries)) {
        for (const auto& e : entries) {
            const std::string full = folder + "\\" + e.name;
            if (e.is_link)
                remove_link(full);
            else if (e.is_directory)
                remove_tree(full);
            else
                platform::remove_file(full);
        }
    }
    platform::remove_directory(folder);
}

void copy_tree(const std::string& from, const std::string& to) {
    platform::make_directories(to);
    std::vector<platform::dir_entry> entries;
    platform::list_directory(from, entries);
    for (const auto& e : entries) {
        if (e.is_directory)
            copy_tree(from + "\\" + e.name, to + "\\" + e.name);
        else
            platform::copy_file(from + "\\" + e.name, to + "\\" + e.name);
    }
}

scratch_folder::scratch_folder() {
    path_ = platform::temp_folder() + "\\" + unique_name() + "\\";
    platform::make_directories(path_);
}

scratch_folder::~scratch_folder() {
    const std::string folder = path_.substr(0, path_.size() - 1);
    remove_tree(folder);
#ifdef _WIN32
    // Wine neither shows nor removes a link whose target has gone (another scratch folder that
    // went first): the host's own tool removes what is left, never following a link.
    if (platform::file_exists(folder) && run_host_tool(L"Z:\\bin\\rm", {"-rf", folder}))
        soon([&folder] { return !platform::file_exists(folder); });
#endif
}

std::string scratch_folder::write(std::string_view relative, std::string_view bytes) const {
    const std::string full = path_ + std::string(relative);
    const std::size_t slash = full.find_last_of('\\');
    platform::make_directories(full.substr(0, slash));
    platform::write_file(full, bytes);
    return full;
}

std::string scratch_folder::read(std::string_view relative) const {
    std::string bytes;
    platform::read_file(path_ + std::string(relative), bytes);
    return bytes;
}

std::string without_trailing(const std::string& folder) {
    return !folder.empty() && folder.back() == '\\' ? folder.substr(0, folder.size() - 1) : folder;
}

std::string fixture(std::string_view relative) {
    std::string path = std::string(VEXLO_FIXTURES) + "\\" + std::string(relative);
    return path;
}

std::string copy_fixture(std::string_view fixture_folder, const scratch_folder& into) {
    const std::string target = into.path() + std::string(fixture_folder);
    copy_tree(fixture(fixture_folder), target);
    return target + "\\";
}

bool make_link(const std::string& target, const std::string& link_path) {
#ifdef _WIN32
    const DWORD folder = platform::is_directory(target) ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0;
    if (CreateSymbolicLinkW(platform::widen(link_path).c_str(), platform::widen(target).c_str(),
                            folder | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) &&
        platform::is_link(link_path))
        return true;
    if (!run_host_tool(L"Z:\\bin\\ln", {"-s", without_trailing(target), link_path}) ||
        !soon([&link_path] { return platform::file_exists(link_path); }))
        return false;
    if (platform::is_link(link_path)) return true;
    // Wine shows a link to a file as the plain file it leads to: of no use to a test, and a
    // trap once its target is gone (then nothing can see or remove it).
    run_host_tool(L"Z:\\bin\\rm", {"-f", link_path});
    soon([&link_path] { return !platform::file_exists(link_path); });
    return false;
#else
    std::string t = target, l = link_path;
    std::replace(t.begin(), t.end(), '\\', '/');
    std::replace(l.begin(), l.end(), '\\', '/');
    while (t.size() > 1 && t.back() == '/') t.pop_back();
    return symlink(t.c_str(), l.c_str()) == 0;
#endif
}

void remove_link(const std::string& link_path) {
    if (platform::remove_directory(link_path) || platform::remove_file(link_path)) return;
#ifdef _WIN32
    if (platform::is_link(link_path) && run_host_tool(L"Z:\\bin\\rm", {"-f", link_path}))
        soon([&link_path] { return !platform::file_exists(link_path); });
#endif
}

bool folder_links_removable() {
#ifdef _WIN32
    // Wine lists a host's folder link as a link but its file calls cannot remove it; real
    // Windows removes a folder link like an empty folder.
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return !(ntdll && GetProcAddress(ntdll, "wine_get_version"));
#else
    return true;
#endif
}

void make_hidden(const std::string& path) {
#ifdef _WIN32
    const std::wstring w = platform::widen(path);
    SetFileAttributesW(w.c_str(), GetFileAttributesW(w.c_str()) | FILE_ATTRIBUTE_HIDDEN);
#else
    (void)path;
#endif
}

void set_read_only(const std::string& path, bool read_only) {
#ifdef _WIN32
    const std::wstring w = platform::widen(path);
    const DWORD a = GetFileAttributesW(w.c_str());
    SetFileAttributesW(w.c_str(),
                       read_only ? (a | FILE_ATTRIBUTE_READONLY) : (a & ~FILE_ATTRIBUTE_READONLY));
#else
    std::string p = path;
    std::replace(p.begin(), p.end(), '\\', '/');
    chmod(p.c_str(), read_only ? 0444 : 0644);
#endif
}

int leftover_temporaries(const std::string& folder) {
    std::vector<platform::dir_entry> entries;
    platform::list_directory(folder, entries);
    int count = 0;
    for (const auto& e : entries)
        if (e.name.size() > 6 && e.name.compare(e.name.size() - 6, 6, ".vxtmp") == 0) ++count;
    return count;
}

}  // namespace testing_support
