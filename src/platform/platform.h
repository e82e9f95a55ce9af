#pragma once
// The one door from the portable code to the operating system. Paths are UTF-8 text with
// backslashes as separators, as Windows writes them; the POSIX implementation (used by the
// native tests) maps the backslashes to slashes.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

// ---- files -------------------------------------------------------------------------------
bool read_file(const std::string& path, std::string& bytes);
// Replaces or creates the file with exactly these bytes (no temporary file).
bool write_file(const std::string& path, std::string_view bytes);
// Writes the bytes to a new temporary file beside the target, makes them durable and swaps the
// file in, so a failed write leaves the old file intact. A link standing at the target's name
// is replaced, never written through; a read-only target is refused.
bool write_file_safely(const std::string& path, std::string_view bytes);
// Creates a file under a fresh name beside the target (in the target's folder) holding the
// bytes, and gives its path; "" when that fails, with nothing left behind. The name is never
// one that exists already, so no existing file or link is ever opened. Nothing is flushed.
std::string stage_file(const std::string& target, std::string_view bytes);
// The same for a copy of the file `from`: its bytes under a fresh name beside the target.
std::string stage_copy(const std::string& from, const std::string& target);
// Makes the written contents of these files durable, in one step for all of them.
bool flush_files(const std::vector<std::string>& paths);
bool file_exists(const std::string& path);  // file or folder (a link counts, even a broken one)
bool is_directory(const std::string& path);
// Whether the path itself is a symbolic link or a junction (the link is not followed).
bool is_link(const std::string& path);
// Whether the path is a file marked read-only (a link is not followed).
bool is_read_only(const std::string& path);
bool remove_file(const std::string& path);
// Removes an empty folder, or a link to a folder without touching its target.
bool remove_directory(const std::string& path);
bool make_directories(const std::string& path);
// Moves a file, replacing an existing target (a link at the target is replaced, not followed).
bool move_file(const std::string& from, const std::string& to);
bool copy_file(const std::string& from, const std::string& to);
bool file_size(const std::string& path, std::uint64_t& size);

struct dir_entry {
    std::string name;
    bool is_directory = false;
    bool is_hidden = false;
    bool is_system = false;
    bool is_read_only = false;
    bool is_link = false;  // a junction or symbolic link: never followed by the tree walks
};
// Lists the entries of a folder (without "." and ".."), in the order the file system gives.
bool list_directory(const std::string& folder, std::vector<dir_entry>& entries);

// ---- process and environment ----------------------------------------------------------------
std::string environment_variable(const std::string& name);
std::string program_path();      // full path of the running executable
std::string program_folder();    // its folder, with a trailing separator
std::string temp_folder();       // the per-user temporary folder, without trailing separator
std::string user_data_folder();  // per-user local application data, without trailing separator
double seconds_since_midnight();
std::string local_date();  // today, "YYYY-MM-DD"

// ---- the command interpreter ------------------------------------------------------------------
// The UTF-8 text in the code page that cmd.exe reads batch files and its standard input with:
// the console's, which a new console takes from the system's OEM code page. False when a
// character has no exact counterpart there (a look-alike could name another file).
bool batch_encoding(std::string_view utf8, std::string& bytes);
// A path as a batch file can name it: the path itself when the console's code page has all its
// characters, else its short (8.3) form when the volume gives it one; the path itself
// otherwise (a text holding it then cannot be encoded, and is refused).
std::string batch_readable_path(const std::string& path);
// The other way, for a batch file read back: UTF-8 text as it is (batch files written before
// the code page was heeded), otherwise the bytes read in the console's code page.
std::string batch_decoding(std::string_view bytes);
// A build tool's log (the JDK writes in the system's ANSI code page): UTF-8 text as it is,
// otherwise the bytes read in that code page.
std::string tool_log_decoding(std::string_view bytes);

// ---- private-profile (INI) files --------------------------------------------------------------
std::string profile_read(const std::string& file, const std::string& section,
                         const std::string& key);
bool profile_write(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value);
// Sets several keys in one rewrite of the file: all of them, or (on a failure) none.
bool profile_write_values(const std::string& file, const std::string& section,
                          const std::vector<std::pair<std::string, std::string>>& values);

// ---- injected faults, for the tests ----------------------------------------------------------
// Every step that changes a file first asks the hook, when one is set; true makes the step
// fail the way a full disk or a locked file does (a failed write has written part of its bytes).
enum class file_step { read, write, move, remove, flush, make_folder };
using fault_hook = std::function<bool(file_step step, const std::string& path)>;

inline fault_hook& injected_faults() {
    static fault_hook hook;
    return hook;
}
inline void set_fault_hook(fault_hook hook) {
    injected_faults() = std::move(hook);
}
inline bool fault_injected(file_step step, const std::string& path) {
    const fault_hook& hook = injected_faults();
    return hook && hook(step, path);
}

}  // namespace platform
