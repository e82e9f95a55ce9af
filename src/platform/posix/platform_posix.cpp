// POSIX stand-in for the Windows platform layer, so the portable core runs in native tests.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <set>
#include <string>

#include "platform/platform.h"
#include "platform/posix/profile_text.h"

namespace platform {
namespace {

std::string native(const std::string& path) {
    std::string out = path;
    for (char& c : out)
        if (c == '\\') c = '/';
    return out;
}

// An injected fault writes half the bytes and fails, as a disk that fills up does.
std::string_view bytes_to_write(std::string_view bytes, const std::string& path, bool& fail) {
    fail = fault_injected(file_step::write, path);
    return fail ? bytes.substr(0, bytes.size() / 2) : bytes;
}

bool write_bytes(const std::string& path, std::string_view bytes) {
    bool fail = false;
    const std::string_view part = bytes_to_write(bytes, path, fail);
    FILE* f = std::fopen(native(path).c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(part.data(), 1, part.size(), f) == part.size();
    return (std::fclose(f) == 0) && ok && !fail;
}

bool write_all(int fd, std::string_view bytes, const std::string& path) {
    bool fail = false;
    std::string_view part = bytes_to_write(bytes, path, fail);
    while (!part.empty()) {
        const ssize_t n = ::write(fd, part.data(), part.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        part.remove_prefix(static_cast<std::size_t>(n));
    }
    return !fail;
}

// A name suffix no earlier call has used: the process, the clock and a counter.
std::string fresh_suffix() {
    static std::atomic<unsigned> counter{0};
    timeval tv{};
    gettimeofday(&tv, nullptr);
    const unsigned long mix = (static_cast<unsigned long>(getpid()) << 20) ^
                              static_cast<unsigned long>(tv.tv_usec) ^ (counter++ * 2654435761u);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, ".%08lx.vxtmp", mix & 0xFFFFFFFFul);
    return buffer;
}

}  // namespace

bool read_file(const std::string& path, std::string& bytes) {
    if (fault_injected(file_step::read, path)) return false;
    FILE* f = std::fopen(native(path).c_str(), "rb");
    if (!f) return false;
    struct stat st {};
    if (fstat(fileno(f), &st) != 0 || S_ISDIR(st.st_mode)) {
        std::fclose(f);
        return false;
    }
    std::string data;
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) data.append(buffer, n);
    const bool ok = !std::ferror(f);
    std::fclose(f);
    if (ok) bytes = std::move(data);
    return ok;
}

bool write_file(const std::string& path, std::string_view bytes) {
    return write_bytes(path, bytes);
}

std::string stage_file(const std::string& target, std::string_view bytes) {
    struct stat target_stat {};
    const bool keep_mode =
        lstat(native(target).c_str(), &target_stat) == 0 && S_ISREG(target_stat.st_mode);
    for (int attempt = 0; attempt < 64; ++attempt) {
        const std::string staged = target + fresh_suffix();
        const std::string n = native(staged);
        // O_EXCL: a name that exists in any form, a link included, is never opened.
        const int fd = open(n.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return "";
        }
        if (keep_mode) fchmod(fd, target_stat.st_mode & 07777);
        bool ok = write_all(fd, bytes, staged);
        ok = close(fd) == 0 && ok;
        if (ok) return staged;
        unlink(n.c_str());
        return "";
    }
    return "";
}

std::string stage_copy(const std::string& from, const std::string& target) {
    std::string bytes;
    return read_file(from, bytes) ? stage_file(target, bytes) : "";
}

bool flush_files(const std::vector<std::string>& paths) {
    if (paths.empty()) return true;
    if (fault_injected(file_step::flush, paths.front())) return false;  // one step for them all
#ifdef __linux__
    // One flush of each file system the files live on.
    std::set<dev_t> devices;
    bool ok = true;
    for (const std::string& p : paths) {
        const int fd = open(native(p).c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return false;
        struct stat st {};
        if (fstat(fd, &st) == 0 && devices.insert(st.st_dev).second) ok = syncfs(fd) == 0 && ok;
        close(fd);
    }
    return ok;
#else
    bool ok = true;
    for (const std::string& p : paths) {
        const int fd = open(native(p).c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return false;
        ok = fsync(fd) == 0 && ok;
        close(fd);
    }
    return ok;
#endif
}

bool write_file_safely(const std::string& path, std::string_view bytes) {
    struct stat st {};
    if (lstat(native(path).c_str(), &st) == 0 && S_ISREG(st.st_mode) && !(st.st_mode & S_IWUSR))
        return false;  // read-only
    const std::string staged = stage_file(path, bytes);
    if (staged.empty()) return false;
    if (flush_files({staged}) && move_file(staged, path)) return true;
    unlink(native(staged).c_str());
    return false;
}

bool is_link(const std::string& path) {
    struct stat st {};
    std::string p = native(path);
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    return lstat(p.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool is_read_only(const std::string& path) {
    struct stat st {};
    return lstat(native(path).c_str(), &st) == 0 && S_ISREG(st.st_mode) && !(st.st_mode & S_IWUSR);
}

bool file_exists(const std::string& path) {
    struct stat st {};
    return !path.empty() && lstat(native(path).c_str(), &st) == 0;
}

bool is_directory(const std::string& path) {
    struct stat st {};
    return stat(native(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool remove_file(const std::string& path) {
    if (fault_injected(file_step::remove, path)) return false;
    return unlink(native(path).c_str()) == 0;
}

bool remove_directory(const std::string& path) {
    if (fault_injected(file_step::remove, path)) return false;
    std::string p = native(path);
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    struct stat st {};
    if (lstat(p.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) return unlink(p.c_str()) == 0;
    return rmdir(p.c_str()) == 0;
}

bool make_directories(const std::string& path) {
    if (fault_injected(file_step::make_folder, path)) return false;
    const std::string p = native(path);
    for (std::size_t i = 1; i <= p.size(); ++i) {
        if (i == p.size() || p[i] == '/') {
            const std::string part = p.substr(0, i);
            struct stat st {};
            if (stat(part.c_str(), &st) != 0 && mkdir(part.c_str(), 0777) != 0) return false;
        }
    }
    return is_directory(path);
}

bool move_file(const std::string& from, const std::string& to) {
    // Either end can refuse: a file held open cannot leave, a protected name cannot be taken.
    if (fault_injected(file_step::move, from) || fault_injected(file_step::move, to)) return false;
    return std::rename(native(from).c_str(), native(to).c_str()) == 0;
}

bool copy_file(const std::string& from, const std::string& to) {
    std::string bytes;
    return read_file(from, bytes) && write_file(to, bytes);
}

bool file_size(const std::string& path, std::uint64_t& size) {
    struct stat st {};
    if (stat(native(path).c_str(), &st) != 0) return false;
    size = static_cast<std::uint64_t>(st.st_size);
    return true;
}

bool list_directory(const std::string& folder, std::vector<dir_entry>& entries) {
    std::string base = native(folder);
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    DIR* dir = opendir(base.c_str());
    if (!dir) return false;
    entries.clear();
    while (dirent* d = readdir(dir)) {
        const std::string name = d->d_name;
        if (name == "." || name == "..") continue;
        dir_entry e;
        e.name = name;
        struct stat st {};
        const std::string full = base + "/" + name;
        if (lstat(full.c_str(), &st) == 0) {
            e.is_link = S_ISLNK(st.st_mode);
            e.is_read_only = !e.is_link && !(st.st_mode & S_IWUSR);
            struct stat target {};
            e.is_directory = e.is_link
                                 ? (stat(full.c_str(), &target) == 0 && S_ISDIR(target.st_mode))
                                 : S_ISDIR(st.st_mode);
        }
        e.is_hidden = !name.empty() && name[0] == '.';  // the POSIX convention for hidden
        entries.push_back(std::move(e));
    }
    closedir(dir);
    return true;
}

std::string environment_variable(const std::string& name) {
    const char* v = std::getenv(name.c_str());
    return v ? v : "";
}

std::string program_path() {
    char buffer[4096];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

std::string program_folder() {
    const std::string path = program_path();
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

std::string temp_folder() {
    const std::string t = environment_variable("TMPDIR");
    return t.empty() ? "/tmp" : t;
}

std::string user_data_folder() {
    const std::string home = environment_variable("VEXLO_USER_DATA");
    if (!home.empty()) return home;
    return temp_folder();
}

// There is no command interpreter here: the text stays as it is.
bool batch_encoding(std::string_view utf8, std::string& bytes) {
    bytes.assign(utf8);
    return true;
}

std::string batch_readable_path(const std::string& path) {
    return path;
}

std::string batch_decoding(std::string_view bytes) {
    return std::string(bytes);
}

std::string tool_log_decoding(std::string_view bytes) {
    // The stand-in system's code page is Latin-1: UTF-8 stays, any other byte is its own letter.
    bool utf8 = true;
    for (std::size_t i = 0; i < bytes.size() && utf8;) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        const std::size_t n = c < 0x80         ? 1
                              : (c >> 5) == 6  ? 2
                              : (c >> 4) == 14 ? 3
                              : (c >> 3) == 30 ? 4
                                               : 0;
        if (n == 0 || i + n > bytes.size()) utf8 = false;
        for (std::size_t k = 1; utf8 && k < n; ++k)
            if ((static_cast<unsigned char>(bytes[i + k]) >> 6) != 2) utf8 = false;
        i += n ? n : 1;
    }
    if (utf8) return std::string(bytes);
    std::string out;
    for (unsigned char c : bytes) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

double seconds_since_midnight() {
    timeval tv{};
    gettimeofday(&tv, nullptr);
    std::tm local{};
    const std::time_t now = tv.tv_sec;
    localtime_r(&now, &local);
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + tv.tv_usec / 1e6;
}

std::string local_date() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[16];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%d", &local);
    return buffer;
}

std::string profile_read(const std::string& file, const std::string& section,
                         const std::string& key) {
    std::string bytes;
    if (!read_file(file, bytes)) return "";
    return profile_text::read_value(bytes, section, key);
}

bool profile_write_values(const std::string& file, const std::string& section,
                          const std::vector<std::pair<std::string, std::string>>& values) {
    std::string bytes;
    if (file_exists(file) && !read_file(file, bytes)) return false;
    for (const auto& [key, value] : values)
        bytes = profile_text::write_value(bytes, section, key, value);
    return write_file_safely(file, bytes);
}

bool profile_write(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) {
    return profile_write_values(file, section, {{key, value}});
}

}  // namespace platform
