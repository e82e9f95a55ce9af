#pragma once
// Which versions of the tools were found, and what a wrong one means in plain words. The
// SDK Tools 25.2.5, the last with the "android" command and the Ant scripts, run on JDK 8.
#include <string>
#include <string_view>

#include <vector>

#include "core/configurator/api_targets.h"
#include "core/configurator/configurator_texts.h"

namespace configurator {

// The JDK's major version from its "release" file (JAVA_VERSION="1.8.0_392" gives 8,
// "17.0.9" gives 17); 0 when the file says nothing readable.
int jdk_major_version(std::string_view release_text);
int jdk_major_version_of(const std::string& jdk_folder);

// The SDK Tools' revision from "tools\source.properties" (Pkg.Revision=25.2.5); "" when absent.
std::string sdk_tools_revision(std::string_view source_properties);
std::string sdk_tools_revision_of(const std::string& sdk_folder);

// Ant's version: the first "Changes from Ant A TO Ant B" heading of its WHATSNEW file gives B,
// else a folder named "apache-ant-1.10.14" gives 1.10.14; "" when neither says.
std::string ant_version(std::string_view whatsnew, std::string_view folder_name);
std::string ant_version_of(const std::string& ant_folder);

// The build-tools of the SDK as the build meets them: the folder chosen for the target (its
// zipalign and apksigner are on the PATH of every tool run) and the newest one by revision
// (the Ant scripts take their dx from it, unless the project's ant.properties names another
// with sdk.buildtools).
struct build_tools_facts {
    bool chosen_found = false;  // a sub-folder of "build-tools" for the target's level
    std::string chosen_folder;
    bool has_apksigner = false;   // "apksigner.bat": signs the APK
    bool has_zipalign = false;    // "zipalign.exe": aligns it
    std::string newest_revision;  // "" when the SDK has no build-tools
    bool newest_has_dx = false;   // "lib\dx.jar"
};
build_tools_facts build_tools_facts_of(const std::string& sdk_folder,
                                       const std::string& chosen_folder);
// The revision of a build-tools folder (its source.properties, else its name).
std::string build_tools_revision_of(const std::string& folder);
// Whether revision a comes before b, number by number ("9.0.0" before "30.0.3").
bool revision_before(std::string_view a, std::string_view b);

// What is wrong with the version found, or "" when it is the one the build needs (or unknown).
std::string jdk_version_problem(int major);
std::string sdk_tools_problem(std::string_view revision);
std::string ant_version_problem(std::string_view version);
// api_level: the chosen target's level, named in the advice.
std::string build_tools_problem(const build_tools_facts& facts, std::string_view api_level);
// What the build would miss among the build-tools of the SDK for the target with that id ("" when
// nothing, or when the id is not among the targets or names a level too low to build with).
std::string chosen_build_tools_problem(const std::string& sdk_folder,
                                       const std::vector<api_target>& targets, int target_id);
// The problem of the tool in that folder, for the section that found or was given it.
std::string version_problem(tool_section section, const std::string& folder);

}  // namespace configurator
