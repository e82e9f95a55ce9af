#pragma once
// The "set" lines that every generated batch file starts with: JAVA_HOME and the PATH entries
// of the JDK, the SDK tools, the build tools and Ant.
#include <string>

#include "core/build/tool_config.h"

namespace build {

// The lines with CR LF ends. A tool folder with command characters would break out of an
// unquoted "set" once %JAVA_HOME% or %PATH% is expanded in a later line, so then every line
// takes the quoted form "set "name=value"".
std::string tool_path_lines(const tool_config& tools, bool with_build_tools);

}  // namespace build
