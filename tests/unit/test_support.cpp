#include "test_support.h"

#include <atomic>
#include <chrono>
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

void remove_tree(const std::string& folder) {
    std::vector<platform::dir_entry> entries;
    if (platform::list_directory(folder, entries)) {
        for (const auto& e : entries) {
            const std::string full = folder + "\\" + e.name;
            if (e.is_directory && !e.is_link)
                remove_tree(full);
            else if (e.is_directory)
                platform::remove_directory(full);
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

scratch_folder::~scratch_folder() { remove_tree(path_.substr(0, path_.size() - 1)); }

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
    // Some systems (Wine) answer success without making the link.
    return CreateSymbolicLinkW(widen(link_path).c_str(), widen(target).c_str(),
                               folder | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) != 0 &&
           platform::is_link(link_path);
#else
    std::string t = target, l = link_path;
    std::replace(t.begin(), t.end(), '\\', '/');
    std::replace(l.begin(), l.end(), '\\', '/');
    while (t.size() > 1 && t.back() == '/') t.pop_back();
    return symlink(t.c_str(), l.c_str()) == 0;
#endif
}

void set_read_only(const std::string& path, bool read_only) {
#ifdef _WIN32
    const std::wstring w = widen(path);
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
