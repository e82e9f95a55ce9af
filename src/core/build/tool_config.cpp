#include "core/build/tool_config.h"

#include "core/text/text_helpers.h"

namespace build {

bool build_components_ready(const tool_config& config) {
    return !config.android_sdk_path.empty() && !config.jdk_path.empty() && config.sdk_state == 1 &&
           !config.ant_path.empty() && !config.keystore_path.empty() && config.keystore_state == 1;
}

std::string config_file_for_program(std::string_view program_path) {
    std::string_view base = program_path;
    // Only a real ".exe" ending is replaced; anything else keeps its name and gains ".cfg".
    if (base.size() >= 4 && text::iequals_ascii(base.substr(base.size() - 4), ".exe"))
        base.remove_suffix(4);
    return std::string(base) + ".cfg";
}

std::string configurator_config_file(std::string_view program_folder) {
    return text::with_one_trailing_backslash(program_folder) + "Vexlo.cfg";
}

}  // namespace build
