#include "core/build/tool_path_lines.h"

#include "core/build/batch_escaping.h"

namespace build {

std::string tool_path_lines(const tool_config& tools, bool with_build_tools) {
    const bool quote = has_command_characters(tools.jdk_path) ||
                       has_command_characters(tools.android_sdk_path) ||
                       (with_build_tools && has_command_characters(tools.build_tools_path)) ||
                       has_command_characters(tools.ant_path);
    std::string out;
    auto line = [&](const std::string& assignment) {
        out += quote ? "set \"" + assignment + "\"\r\n" : "set " + assignment + "\r\n";
    };
    line("JAVA_HOME=" + double_percent(tools.jdk_path));
    line("path=%PATH%;%JAVA_HOME%\\bin");
    line("path=%PATH%;" + double_percent(tools.android_sdk_path) + "\\tools");
    if (with_build_tools) line("path=%PATH%;" + double_percent(tools.build_tools_path));
    line("path=%PATH%;" + double_percent(tools.ant_path) + "\\bin");
    return out;
}

}  // namespace build
