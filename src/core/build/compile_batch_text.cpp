#include "core/build/compile_batch_text.h"

#include "core/build/batch_escaping.h"
#include "core/build/tool_commands.h"
#include "core/build/tool_path_lines.h"

namespace build {

std::string ant_properties_path(std::string_view temp_folder) {
    return std::string(temp_folder) + "\\" + std::string(kAntPropertiesFileName);
}

std::string file_name_of(std::string_view path) {
    const std::size_t slash = path.rfind('\\');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string compile_batch_text(const tool_config& tools, std::string_view ant_properties_file,
                               std::string_view keystore_file, std::string_view project_name,
                               std::string_view apk_file_name) {
    const std::string keystore_copy = batch_path(file_name_of(keystore_file));
    const std::string ant_apk = "bin\\" + std::string(project_name) + "-release.apk";
    std::string out = tool_path_lines(tools, true);
    auto line = [&out](const std::string& text) { out += text + "\r\n"; };
    line("copy " + batch_path(ant_properties_file) + " ant.properties");
    line("copy " + batch_path(keystore_file) + " " + keystore_copy);
    line(update_project_command(project_name, tools.api_target_id));
    line("call ant clean");
    line("call ant release");
    line("del ant.properties");
    line("del " + keystore_copy);
    line("move " + batch_path(ant_apk) + " " + batch_path(apk_file_name));
    line("del bin\\*.ap?");
    line("del bin\\*.d");
    line("Pause");
    return out;
}

std::string launch_batch_text(std::string_view project_folder) {
    std::string out = std::string(project_folder.substr(0, 2)) + "\r\n";
    out += "cd " + batch_path(project_folder) + "\r\n";
    out += "call " + std::string(kCompileBatchName) + "\r\n";
    return out;
}

}  // namespace build
