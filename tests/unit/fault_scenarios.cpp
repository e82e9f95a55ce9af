#include "unit/fault_scenarios.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#ifdef _WIN32
#include <windows.h>

#include "platform/win32/utf16.h"
#else
#include <unistd.h>
#endif

namespace testing_support {
namespace {

bool starts_with(const std::string& s, const std::string& prefix) {
    return s.size() >= prefix.size() && s.compare(0, prefix.size(), prefix) == 0;
}

void snapshot_into(const std::string& folder, const std::string& relative, tree& out) {
    std::vector<platform::dir_entry> entries;
    if (!platform::list_directory(folder, entries)) return;
    for (const platform::dir_entry& e : entries) {
        const std::string full = folder + "\\" + e.name;
        const std::string rel = relative.empty() ? e.name : relative + "\\" + e.name;
        if (e.is_link) {
            out[rel] = "-> link";
        } else if (e.is_directory) {
            out[rel + "\\"] = "";
            snapshot_into(full, rel, out);
        } else {
            std::string bytes;
            if (!platform::read_file(full, bytes)) bytes = "(unreadable)";
            out[rel] = bytes;
        }
    }
}

// A fault put in place for one row, taken back at the end of the row.
class fault_setup {
public:
    virtual ~fault_setup() = default;
    // Whether the system lets the fault be made at all.
    virtual bool possible() const { return true; }
};

class read_only_mark : public fault_setup {
public:
    explicit read_only_mark(std::string file) : file_(std::move(file)) {
        set_read_only(file_, true);
    }
    ~read_only_mark() override { set_read_only(file_, false); }

private:
    std::string file_;
};

// Windows keeps the administrator out of a read-only folder no more than POSIX keeps root
// out: the hook makes every change below the folder fail as a protected folder does.
class protected_folder : public fault_setup {
public:
    explicit protected_folder(const std::string& folder)
        : hook_([inside = without_trailing(folder) + "\\"](platform::file_step step,
                                                           const std::string& path) {
              // What is in it can still be read, and written data flushed.
              return step != platform::file_step::flush && step != platform::file_step::read &&
                     starts_with(path, inside);
          }) {}

private:
    fault_hook_scope hook_;
};

#ifdef _WIN32
// Opened without any sharing, as a program that locks its file does: no other open, rename or
// delete of it succeeds while the handle lives.
class held_file : public fault_setup {
public:
    explicit held_file(const std::string& file)
        : handle_(CreateFileW(platform::widen(file).c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {
        EXPECT_NE(handle_, INVALID_HANDLE_VALUE) << "could not hold " << file;
    }
    ~held_file() override {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }

private:
    HANDLE handle_;
};
#else
// POSIX has no mandatory locks: the steps that a lock refuses on Windows fail through the hook.
class held_file : public fault_setup {
public:
    explicit held_file(const std::string& file)
        : hook_([file](platform::file_step step, const std::string& path) {
              // Reads stay possible, so the rows also cover the half-way stops that a file
              // readable but not movable causes (Windows, a lock with shared reading).
              return path == file && step != platform::file_step::make_folder &&
                     step != platform::file_step::read;
          }) {}

private:
    fault_hook_scope hook_;
};
#endif

// The first writes succeed, the next one stops half-way and every later one fails, as does
// every new folder: the disk is full.
class full_disk : public fault_setup {
public:
    explicit full_disk(int good_writes)
        : hook_([this, good_writes](platform::file_step step, const std::string&) {
              if (step == platform::file_step::write && ++writes_ > good_writes) full_ = true;
              return full_ && (step == platform::file_step::write ||
                               step == platform::file_step::make_folder ||
                               step == platform::file_step::flush);
          }) {}

private:
    int writes_ = 0;
    bool full_ = false;
    fault_hook_scope hook_;
};

// The file or folder moves out, and a link to it takes its place in the test folder.
class linked_out : public fault_setup {
public:
    linked_out(const std::string& path, const std::string& outside)
        : path_(without_trailing(path)) {
        const std::string moved = outside + path_.substr(path_.find_last_of('\\') + 1);
        folder_ = platform::is_directory(path_);
        if (folder_) {
            copy_tree(path_, moved);
            remove_tree(path_);
        } else {
            platform::copy_file(path_, moved);
            platform::remove_file(path_);
        }
        made_ = make_link(moved, path_);
#ifdef _WIN32
        // Wine shows a link to a folder as one, but a link to a file as a plain file.
        if (!made_ && !folder_) {
            platform::remove_file(path_);
            platform::copy_file(moved, path_);
            return;
        }
#endif
        EXPECT_TRUE(made_) << "no link could be made at " << path_;
    }
    ~linked_out() override {
        if (made_) remove_link(path_);
    }
    bool possible() const override {
        return made_ || folder_;
    }

private:
    std::string path_;
    bool folder_ = false;
    bool made_ = false;
};

// The operation runs with the outside folder as the current folder, so that a file written
// to "wherever the current folder is" shows as written outside.
class current_folder {
public:
    explicit current_folder(const std::string& folder) {
#ifdef _WIN32
        wchar_t buffer[32768] = {};
        GetCurrentDirectoryW(32768, buffer);
        old_ = buffer;
        SetCurrentDirectoryW(platform::widen(folder).c_str());
#else
        char buffer[4096] = {};
        if (getcwd(buffer, sizeof buffer)) old_ = buffer;
        std::string native = folder;
        std::replace(native.begin(), native.end(), '\\', '/');
        if (chdir(native.c_str()) != 0) ADD_FAILURE() << "cannot enter " << folder;
#endif
    }
    ~current_folder() {
#ifdef _WIN32
        SetCurrentDirectoryW(old_.c_str());
#else
        if (chdir(old_.c_str()) != 0) ADD_FAILURE() << "cannot go back to " << old_;
#endif
    }

private:
#ifdef _WIN32
    std::wstring old_;
#else
    std::string old_;
#endif
};

std::unique_ptr<fault_setup> put_in_place(const fault_row& row, const std::string& folder,
                                          const std::string& outside) {
    const std::string where = folder + row.where;
    switch (row.fault) {
        case scenario::read_only_file: return std::make_unique<read_only_mark>(where);
        case scenario::read_only_folder: return std::make_unique<protected_folder>(where);
        case scenario::held_open: return std::make_unique<held_file>(where);
        case scenario::disk_full: return std::make_unique<full_disk>(row.good_writes);
        case scenario::link_outside: return std::make_unique<linked_out>(where, outside);
        case scenario::long_path: break;
    }
    return std::make_unique<fault_setup>();
}

// A folder whose own path is longer than 260 characters.
std::string long_folder(const scratch_folder& s) {
    std::string folder = s.path() + "t";
    while (folder.size() <= 270) folder += "\\a-folder-name-of-forty-characters-long-x";
    return folder + "\\";
}

std::string relative_to(const std::string& path, const std::string& folder) {
    return starts_with(path, folder) ? path.substr(folder.size()) : path;
}

}  // namespace

const char* scenario_name(scenario s) {
    switch (s) {
        case scenario::read_only_file: return "read-only file";
        case scenario::read_only_folder: return "read-only folder";
        case scenario::held_open: return "file held open";
        case scenario::disk_full: return "disk full part-way";
        case scenario::link_outside: return "link out of the folder";
        case scenario::long_path: return "path over 260 characters";
    }
    return "";
}

tree snapshot(const std::string& folder) {
    tree out;
    snapshot_into(without_trailing(folder), "", out);
    return out;
}

void run_fault_table(const std::vector<fault_row>& rows, const folder_maker& make,
                     const operation& op, const success_text& success) {
    scratch_folder clean;
    const std::string clean_folder = clean.path() + "t\\";
    platform::make_directories(clean_folder);
    make(clean_folder);
    ASSERT_EQ(op(clean_folder).message, success(clean_folder));
    const tree after = snapshot(clean_folder);

    for (const fault_row& row : rows) {
        SCOPED_TRACE(std::string(scenario_name(row.fault)) + " at " + row.where);
        scratch_folder s, outside;
        const std::string folder =
            row.fault == scenario::long_path ? long_folder(s) : s.path() + "t\\";
        platform::make_directories(folder);
        make(folder);
        if (row.prepare) row.prepare(folder);
        outside.write("untouched.txt", "outside");
        tree before, now, outside_before;
        operation_result result;
        {
            // A link changes the folder while it stands; a file held open cannot be read.
            const bool link = row.fault == scenario::link_outside;
            const bool held = row.fault == scenario::held_open;
            if (!link) before = snapshot(folder);
            const auto fault = put_in_place(row, folder, outside.path());
            if (!fault->possible()) {
                std::printf("[  NOT RUN ] %s at %s: this system shows no such link\n",
                            scenario_name(row.fault), row.where.c_str());
                continue;
            }
            if (link) before = snapshot(folder);
            outside_before = snapshot(outside.path());
            const current_folder elsewhere(outside.path());
            result = op(folder);
            if (!held) now = snapshot(folder);
        }
        if (row.fault == scenario::held_open) now = snapshot(folder);
        const std::string success_message = success(folder);
        EXPECT_EQ(snapshot(outside.path()), outside_before) << "changed outside the folder";
        if (!row.named.empty()) {
            EXPECT_NE(result.message.find(folder + row.named), std::string::npos) << result.message;
        }
        switch (row.outcome) {
            case expect::before:
                EXPECT_EQ(now, before);
                EXPECT_NE(result.message, success_message);
                break;
            case expect::after:
                EXPECT_EQ(now, after);
                EXPECT_EQ(result.message, success_message);
                break;
            case expect::partial:
            case expect::as_reported: {
                if (row.outcome == expect::partial) {
                    EXPECT_NE(now, before);
                }
                EXPECT_NE(now, after);
                EXPECT_NE(result.message, success_message);
                const bool names_changes = !result.changed.empty() || result.unchanged.empty();
                std::vector<std::string> named;
                for (const std::string& c : names_changes ? result.changed : result.unchanged) {
                    named.push_back(relative_to(c, folder));
                    EXPECT_NE(result.message.find(c), std::string::npos) << c << " not named";
                }
                // Below a named folder, everything is named.
                const auto is_named = [&named](const std::string& path) {
                    return std::count_if(named.begin(), named.end(), [&path](const std::string& n) {
                               return n == path || starts_with(path, n + "\\");
                           }) > 0;
                };
                for (const auto& [path, bytes] : before)
                    EXPECT_TRUE(now.count(path) > 0 || (names_changes && is_named(path)))
                        << path << " went without being named";
                for (const auto& [path, bytes] : now) {
                    if (path.back() == '\\') {  // a folder: as it was, or as the operation makes it
                        EXPECT_TRUE(before.count(path) > 0 || after.count(path) > 0) << path;
                        continue;
                    }
                    const bool as_made = is_named(path) == names_changes;
                    // A file the operation names may be one it adds beside the others.
                    if (as_made && names_changes && !after.count(path) &&
                        std::count(named.begin(), named.end(), path) > 0)
                        continue;
                    const tree& expected = as_made ? after : before;
                    const auto found = expected.find(path);
                    EXPECT_TRUE(found != expected.end() && found->second == bytes)
                        << path
                        << (as_made ? " is not as the operation makes it"
                                    : " is not as it was, and not named");
                }
                break;
            }
        }
    }
}

}  // namespace testing_support
