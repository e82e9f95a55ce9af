#pragma once
// The stand-alone compile batch "BuildAPK.bat" that rebuilds a project with the configured
// tools, and the small batch that starts it in the project folder.
#include <string>
#include <string_view>

#include "core/build/tool_config.h"

namespace build {

inline constexpr std::string_view kCompileBatchName = "BuildAPK.bat";
inline constexpr std::string_view kAntPropertiesFileName = "vexlo.ant.properties";

// The Ant properties file shared by all projects: the TEMP folder + "\vexlo.ant.properties".
std::string ant_properties_path(std::string_view temp_folder);

// The part of a path after its last backslash.
std::string file_name_of(std::string_view path);

// The 16 lines of BuildAPK.bat, each ending in CR LF. The batch runs in the project folder:
// it copies the Ant properties and the keystore in, updates the project, builds the release,
// removes the copies and moves Ant's APK to apk_file_name.
std::string compile_batch_text(const tool_config& tools, std::string_view ant_properties_file,
                               std::string_view keystore_file, std::string_view project_name,
                               std::string_view apk_file_name);

// The three lines that change to the project folder (drive first) and call BuildAPK.bat.
std::string launch_batch_text(std::string_view project_folder);

}  // namespace build
