#pragma once
// The recent-projects list: a per-user text file, oldest first, only ever appended to, shown
// newest first and filtered to the folders that still exist.
#include <functional>
#include <string>
#include <vector>

namespace shell {

inline constexpr const char* kNoneLoaded = "<none loaded>";

// Path of a per-user file named after the program: <data folder>\<exe base name><extension>.
std::string per_user_file(const std::string& data_folder, const std::string& program_path,
                          const std::string& extension);

struct recent_list {
    std::vector<std::string> entries;  // as the combo box shows them
    int selected = 0;
};

// Builds the list from the file's text. project_folder is empty while none is loaded.
recent_list build_recent_list(const std::string& file_text, const std::string& project_folder,
                              const std::function<bool(const std::string&)>& exists);

// Whether the folder (any trailing backslashes, any letter case) is already listed.
bool is_listed(const std::vector<std::string>& entries, const std::string& folder);

// The file text with the folder appended as a new line (CR LF), keeping what was there.
std::string with_appended_folder(const std::string& file_text, const std::string& folder);

}  // namespace shell
