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

// Line-end conversions done in place around an edit in a Windows editor: to CR LF unless the
// file holds a CR already, back to LF (lone CRs too). A missing file stays missing.
void convert_to_crlf(const std::string& path);
void convert_to_lf(const std::string& path);

// Opens an existing .gitignore for editing: its LF line ends become CR LF for the Windows
// editor, the editor is started (it does not wait), then the file goes back to LF line ends.
// A link is opened as it is: the file it leads to is not the project's to convert. False when
// the file was left with the CR LF line ends.
bool edit_with_line_ends(const std::string& path,
                         const std::function<void(const std::string&)>& start_editor);

// The .gitignore button: the project's .gitignore is opened in the editor when it exists,
// otherwise the default text (the program's resource, byte for byte) is written as a new one,
// whole or not at all. An empty text is refused: the resource must have been found.
struct gitignore_outcome {
    bool created = false;  // the caption becomes "Edit the .gitignore file"
    bool failed = false;
    std::string message;  // "" when the editor was simply opened
};
gitignore_outcome create_or_edit_gitignore(
    const std::string& project_folder, std::string_view default_text,
    const std::function<void(const std::string&)>& start_editor);

// The folders that "Open res folder" and "Open src folder" show.
std::string res_folder(const std::string& project_folder);
std::string src_folder(const std::string& project_folder, std::string_view package_name);
// The folder as Explorer's parameter: in double quotes when it holds a space.
std::string explorer_parameter(const std::string& folder);

}  // namespace assets
