#pragma once
// The one door from the portable code to the operating system. Paths are UTF-8 text with
// backslashes as separators, as Windows writes them; the POSIX implementation (used by the
// native tests) maps the backslashes to slashes.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// ---- files -------------------------------------------------------------------------------
bool read_file(const std::string& path, std::string& bytes);
// Replaces or creates the file with exactly these bytes (no temporary file).
bool write_file(const std::string& path, std::string_view bytes);
// Writes the bytes to a temporary file beside the target and swaps it in, so a failed write
// leaves the old file intact.
bool write_file_safely(const std::string& path, std::string_view bytes);
bool file_exists(const std::string& path);  // file or folder
bool is_directory(const std::string& path);
bool remove_file(const std::string& path);
// Removes an empty folder, or a link to a folder without touching its target.
bool remove_directory(const std::string& path);
bool make_directories(const std::string& path);
// Moves a file, replacing an existing target.
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
std::string program_path();    // full path of the running executable
std::string program_folder();  // its folder, with a trailing separator
std::string temp_folder();     // the per-user temporary folder, without trailing separator
std::string user_data_folder();  // per-user local application data, without trailing separator
double seconds_since_midnight();

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

// ---- private-profile (INI) files --------------------------------------------------------------
std::string profile_read(const std::string& file, const std::string& section,
                         const std::string& key);
bool profile_write(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value);

// Lets a GUI thread serve its window messages during long file work; a no-op where there is
// no GUI. Cheap to call often: it only looks at the queue every few milliseconds.
void keep_responsive();

}  // namespace platform
