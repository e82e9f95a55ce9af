#pragma once
// Which versions of the tools were found, and what a wrong one means in plain words. The
// SDK Tools 25.2.5, the last with the "android" command and the Ant scripts, run on JDK 8.
#include <string>
#include <string_view>

#include "core/configurator/configurator_texts.h"

namespace configurator {

// The JDK's major version from its "release" file (JAVA_VERSION="1.8.0_392" gives 8,
// "17.0.9" gives 17); 0 when the file says nothing readable.
int jdk_major_version(std::string_view release_text);
int jdk_major_version_of(const std::string& jdk_folder);

// The SDK Tools' revision from "tools\source.properties" (Pkg.Revision=25.2.5); "" when absent.
std::string sdk_tools_revision(std::string_view source_properties);
std::string sdk_tools_revision_of(const std::string& sdk_folder);

// What is wrong with the version found, or "" when it is the one the build needs (or unknown).
std::string jdk_version_problem(int major);
std::string sdk_tools_problem(std::string_view revision);
// The problem of the tool in that folder, for the section that found or was given it.
std::string version_problem(tool_section section, const std::string& folder);

}  // namespace configurator
