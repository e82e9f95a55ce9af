#pragma once
// Names the build derives from the project: Ant's project name and the final APK's file name.
#include <string>
#include <string_view>

namespace build {

// The part of the package name after its last "."; the whole name when it has no ".". Ant
// names its output "bin\" + this + "-release.apk".
std::string ant_project_name(std::string_view package_name);

// The signed APK's file name: the app name and the version, each trimmed of spaces and cleaned
// like any file name, joined directly and followed by ".apk". The compile batch passes the
// version name, the in-app compile the version code.
std::string apk_file_name(std::string_view app_name, std::string_view version);

}  // namespace build
