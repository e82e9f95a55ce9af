#include "core/assets/program_target.h"

#include "core/assets/project_layout.h"
#include "core/assets/project_paths.h"
#include "core/text/encoding.h"
#include "core/text/text_helpers.h"
#include "platform/platform.h"

namespace assets {
namespace {
bool is_file(const std::string& path) {
    return platform::file_exists(path) && !platform::is_directory(path);
}

program_target outside(const std::string& named) {
    program_target target;
    target.message = "The program to replace lies outside the project:\r\"" + named +
                     "\"\r\rNothing was replaced.";
    return target;
}

// The program is written in its place: no folder on the way may lead out of the project.
bool reached_without_links(const std::string& project_folder, const std::string& path) {
    return assets::link_on_the_way(project_folder, path, false).empty();
}

}  // namespace

program_target find_program_target(const std::string& project_folder) {
    program_target target;
    for (const char* candidate : kProgramFiles) {
        const std::string path = project_folder + candidate;
        if (is_file(path)) {
            if (!reached_without_links(project_folder, path)) return outside(candidate);
            target.found = true;
            target.path = path;
            return target;
        }
    }
    const std::string setup = project_folder + kSetupFile;
    if (!platform::file_exists(setup)) {
        target.message = "We didn't find a \"res\\raw\\my_program\" or my_program.bas to replace!";
        return target;
    }
    std::string xml;
    platform::read_file(setup, xml);  // unreadable: as if both values were missing
    // Values written by older tools may be Windows-1252; paths are UTF-8 here.
    const std::string app_path =
        text::display_text(text::text_between(xml, "<string name=\"app_path\">", "</string>"));
    const std::string program =
        text::display_text(text::text_between(xml, "<string name=\"my_program\">", "</string>"));
    const std::string relative = kAssetsFolder + app_path + "\\source\\" + program;
    // Values that would leave the project are refused, whether or not such a file exists.
    for (const std::string* value : {&app_path, &program})
        if (!value->empty() && !assets::is_inside_relative_path(*value)) return outside(relative);
    if (is_file(project_folder + relative)) {
        if (!reached_without_links(project_folder, project_folder + relative))
            return outside(relative);
        target.found = true;
        target.path = project_folder + relative;
        return target;
    }
    target.message = "We didn't find an \"" + relative + " to replace!";
    return target;
}

std::string unreadable_program_message(const std::string& path) {
    return "Impossible to read this program:\r\"" + path + "\"";
}

write_outcome replace_program(const std::string& project_folder, const std::string& target,
                              const std::string& program) {
    return write_project_files(project_folder, {{target, program}});
}

std::string unwritable_program_message(const write_outcome& outcome) {
    return "Impossible to write the program of the project:\r" + write_problem_text(outcome);
}

}  // namespace assets
