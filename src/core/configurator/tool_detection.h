#pragma once
// Finds the JDK, the Android SDK and Apache Ant at the places they are usually installed, and
// checks a folder the user picked for each of them. Nothing is searched recursively and the
// registry is not consulted.
#include <string>
#include <string_view>
#include <vector>

namespace configurator {

// Where the searches look. The program fills it from the running system; tests point it at
// fake folder trees.
struct detection_places {
    std::string program_files = "C:\\Program Files";
    std::string program_files_x86 = "C:\\Program Files (x86)";
    std::string program_folder;  // the configurator's own folder, with a trailing backslash
    std::string working_folder;  // the current folder, with a trailing backslash
    // The folders the system's file search walks, in its order: the program folder, the
    // current folder, the system folders, then the folders of the PATH.
    std::vector<std::string> search_folders;
    std::string java_home;  // the JAVA_HOME variable, "" when unset
};

// The JDK under "Program Files\Java" (the "(x86)" one only when the first holds no "jdk*"
// folder at all): the first listed "jdk*" folder, if it holds "bin\javac.exe". Then, where
// current JDK 8 builds install (one level below "Eclipse Adoptium", "Zulu", "Microsoft",
// "Amazon Corretto" and "BellSoft" in both Program Files folders) and JAVA_HOME. The first
// JDK 8 among them wins; without one, the first JDK found; else "".
std::string detect_jdk(const detection_places& places);
// The first of the seven usual SDK folders that holds "tools\android.bat"; else "".
std::string detect_android_sdk(const detection_places& places);
// Apache Ant: the installation whose "bin\ant.bat" is on the search path, else the first
// "apache-ant*" entry (never a .zip) in the current folder, then in the program folder. A
// result always holds "bin\ant.bat" once resolved the way the main program resolves it: an
// entry of the current folder is named by its bare name when that folder is the program
// folder, and by its full path otherwise.
std::string detect_ant(const detection_places& places);

// The folder lists of the system's search path, from the value of the PATH variable: empty
// parts dropped, surrounding quotes removed, each with one trailing backslash.
std::vector<std::string> path_variable_folders(std::string_view path_value);

// The checks of a folder chosen in the browser. Each returns the value to store, or "" when
// the folder is not a valid one.
std::string accept_jdk_folder(std::string_view folder);  // holds "bin\javac.exe"
// Holds "tools\android.bat", or its "sdk" sub-folder does (then that sub-folder is taken).
std::string accept_sdk_folder(std::string_view folder);
// Ant's root, its "bin" folder, or the folder Ant was unzipped into (the first
// "apache-ant-*" folder inside it); the result holds "bin\ant.bat".
std::string accept_ant_folder(std::string_view folder);

// The entries of a folder whose names begin with prefix (letter case ignored), in the order
// the file system of a Windows machine lists them (by name, letter case ignored).
std::vector<std::string> entries_starting_with(const std::string& folder, std::string_view prefix,
                                               bool folders_only);

}  // namespace configurator
