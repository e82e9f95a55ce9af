#include "core/build/command_runner_text.h"

#include "core/build/batch_escaping.h"
#include "core/build/tool_path_lines.h"
#include "core/text/text_helpers.h"

namespace build {

std::string runner_folder(std::string_view folder, std::string_view program_folder) {
    return text::with_one_trailing_backslash(folder.empty() ? program_folder : folder);
}

std::string runner_batch_text(const tool_config& tools, std::string_view folder,
                              std::string_view command, bool capture, runner_variant variant,
                              const std::vector<batch_variable>& variables) {
    std::string out = "@echo off\r\n";
    out += tool_path_lines(tools, variant == runner_variant::main_program);
    out += std::string(folder.substr(0, 2)) + "\r\n";
    const std::string cd_target =
        has_command_characters(folder) ? batch_path(folder) : double_percent(folder);
    out += "cd " + cd_target + "\r\n";
    for (const batch_variable& v : variables)
        out += "set \"" + v.name + "=" + double_percent(v.value) + "\"\r\n";
    out += std::string(command);
    if (capture) out += " > " + std::string(kRunnerOutputName) + " 2>&1";
    out += "\r\n\r\n";
    return out;
}

std::string without_trailing_line_ends(std::string_view text) {
    std::size_t end = text.size();
    while (end > 0 && (text[end - 1] == '\r' || text[end - 1] == '\n')) --end;
    return std::string(text.substr(0, end));
}

std::string runner_result(bool visible, bool output_found, std::string_view output) {
    if (visible) return std::string(kResultOk);
    if (!output_found) return std::string(kResultErrorWriting);
    return without_trailing_line_ends(output);
}

}  // namespace build
