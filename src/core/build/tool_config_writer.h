#pragma once
// Writes the values the configurator settled into the tool configuration file.
#include <string>
#include <string_view>

#include "core/build/tool_config.h"

namespace build {

// Writes one key per value in a fixed order. Empty paths and a zero target id are skipped
// (the file keeps what it had); alias and password are always written, scrambled.
// target_description is the description of the chosen API target ("Android 6.0 (API  23)"),
// empty when the id is not among the SDK's targets: then no build-tools folder is written.
// All keys are written in one rewrite of the file; false when it failed or the file is marked
// read-only, and the file then holds the old configuration.
bool write_tool_config(const std::string& config_file, const tool_config& values,
                       std::string_view target_description);

// The API level inside a target description: the text after "(API " up to the next ")",
// without surrounding spaces; "" when the description names none.
std::string api_level_of(std::string_view target_description);

// The build-tools folder for an API level: the SDK's "build-tools\" folder followed by the
// first sub-folder whose name begins with the level (in name order), or by nothing.
std::string build_tools_folder_for(const std::string& sdk_path, std::string_view api_level);

}  // namespace build
