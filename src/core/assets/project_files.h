#pragma once
// The project's .gitignore and the folder shortcuts of the main window.
#include <functional>
#include <string>
#include <string_view>

namespace assets {

std::string gitignore_path(const std::string& project_folder);
inline constexpr const char* kCreateGitignoreCaption = "Create .gitignore file";
inline constexpr const char* kEditGitignoreCaption = "Edit the .gitignore file";
std::string gitignore_created_message(const std::string& path);
std::string gitignore_failed_message(const std::string& path);

// Writes the default text (the program's resource, byte for byte) as the project's .gitignore,
// through a temporary file. An empty text is refused: the resource must have been found.
bool create_gitignore(const std::string& path, std::string_view default_text);

// Opens an existing .gitignore for editing: its LF line ends become CR LF for the Windows
// editor, the editor is started (it does not wait), then the file goes back to LF line ends.
void edit_with_line_ends(const std::string& path,
                         const std::function<void(const std::string&)>& start_editor);

// The folders that "Open res folder" and "Open src folder" show.
std::string res_folder(const std::string& project_folder);
std::string src_folder(const std::string& project_folder, std::string_view package_name);
// The folder as Explorer's parameter: in double quotes when it holds a space.
std::string explorer_parameter(const std::string& folder);

}  // namespace assets
