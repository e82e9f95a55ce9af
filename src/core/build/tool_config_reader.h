#pragma once
// Reads the tool configuration file and checks every path against the file that proves it.
#include <string>

#include "core/build/tool_config.h"

namespace build {

// Reads the "Config" section of the file. A value whose marker file is missing is left empty;
// a relative Ant folder is taken inside program_folder. The states tell what is usable.
tool_config read_tool_config(const std::string& config_file, const std::string& program_folder);

// The Ant folder as written in the file, made absolute: a value that names neither a drive
// ("D:\...") nor a network share ("\\server\...") lies inside the program folder.
std::string resolve_ant_path(const std::string& value, const std::string& program_folder);

}  // namespace build
