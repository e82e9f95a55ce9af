#include "core/assets/project_files.h"

#include "core/assets/project_layout.h"
#include "core/assets/project_writes.h"
#include "core/text/text_helpers.h"
#include "platform/platform.h"

namespace assets {

std::string gitignore_path(const std::string& project_folder) {
    return project_folder + kGitignoreFile;
}

std::string gitignore_created_message(const std::string& path) {
    return "The .gitignore file has been correctly created:\r\"" + path + "\"";
}

std::string gitignore_failed_message(const std::string& path) {
    return "Unknown error while creating the .gitignore file:\r\"" + path + "\"";
}

void convert_to_crlf(const std::string& path) {
    std::string bytes;
    if (!platform::file_exists(path) || !platform::read_file(path, bytes)) return;
    if (bytes.find('\r') != std::string::npos) return;
    platform::write_file_safely(path, text::to_crlf_text(bytes));
}

void convert_to_lf(const std::string& path) {
    std::string bytes;
    if (!platform::file_exists(path) || !platform::read_file(path, bytes)) return;
    if (bytes.find('\r') == std::string::npos) return;
    platform::write_file_safely(path, text::to_lf_text(bytes));
}

bool edit_with_line_ends(const std::string& path,
                         const std::function<void(const std::string&)>& start_editor) {
    if (platform::is_link(path)) {
        start_editor(path);
        return true;
    }
    std::string before, after;
    const bool lf_only =
        platform::read_file(path, before) && before.find('\r') == std::string::npos;
    convert_to_crlf(path);
    start_editor(path);
    convert_to_lf(path);
    return !(lf_only && platform::read_file(path, after) && after.find('\r') != std::string::npos);
}

gitignore_outcome create_or_edit_gitignore(
    const std::string& project_folder, std::string_view default_text,
    const std::function<void(const std::string&)>& start_editor) {
    const std::string path = gitignore_path(project_folder);
    gitignore_outcome outcome;
    if (platform::file_exists(path)) {
        if (!edit_with_line_ends(path, start_editor)) {
            outcome.failed = true;
            outcome.message = "\"" + path +
                              "\"\rThis file could not be given back its LF line ends: it keeps "
                              "the Windows ones (CR LF).";
        }
        return outcome;
    }
    const write_outcome written =
        default_text.empty()
            ? write_outcome{write_stop::not_written, path, {}, {path}}
            : write_project_files(project_folder, {{path, std::string(default_text)}});
    outcome.created = written.completed();
    outcome.failed = !outcome.created;
    outcome.message = outcome.created
                          ? gitignore_created_message(path)
                          : gitignore_failed_message(path) + "\r\r" + write_problem_text(written);
    return outcome;
}

std::string res_folder(const std::string& project_folder) {
    return project_folder + kResFolder;
}

std::string src_folder(const std::string& project_folder, std::string_view package_name) {
    return project_folder + kSrcFolder + text::replace_text(package_name, ".", "\\");
}

std::string explorer_parameter(const std::string& folder) {
    if (folder.find(' ') == std::string::npos) return folder;
    return "\"" + folder + "\"";
}

}  // namespace assets
