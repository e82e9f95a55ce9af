#include "core/assets/project_files.h"

#include "core/text/text_helpers.h"
#include "platform/platform.h"

namespace assets {

std::string gitignore_path(const std::string& project_folder) {
    return project_folder + ".gitignore";
}

std::string gitignore_created_message(const std::string& path) {
    return "The .gitignore file has been correctly created:\r\"" + path + "\"";
}

std::string gitignore_failed_message(const std::string& path) {
    return "Unknown error while creating the .gitignore file:\r\"" + path + "\"";
}

bool create_gitignore(const std::string& path, std::string_view default_text) {
    if (default_text.empty()) return false;
    return platform::write_file_safely(path, default_text);
}

void edit_with_line_ends(const std::string& path,
                         const std::function<void(const std::string&)>& start_editor) {
    text::convert_to_crlf(path);
    start_editor(path);
    text::convert_to_lf(path);
}

std::string res_folder(const std::string& project_folder) {
    return project_folder + "res\\";
}

std::string src_folder(const std::string& project_folder, std::string_view package_name) {
    return project_folder + "src\\" + text::replace_text(package_name, ".", "\\");
}

std::string explorer_parameter(const std::string& folder) {
    if (folder.find(' ') == std::string::npos) return folder;
    return "\"" + folder + "\"";
}

}  // namespace assets
