#pragma once
// Where the external build components live: the JDK, the Android SDK with one build-tools
// version, Apache Ant, and the keystore that signs release APKs.
#include <string>
#include <string_view>

namespace build {

// The section that holds every key of the configuration file.
inline constexpr std::string_view kConfigSection = "Config";

struct tool_config {
    std::string jdk_path;  // paths carry no trailing backslash
    std::string android_sdk_path;
    std::string build_tools_path;
    int api_target_id = 0;
    std::string ant_path;
    std::string keystore_path;
    std::string keystore_alias;     // clear text in memory, scrambled in the file
    std::string keystore_password;  // clear text in memory, scrambled in the file
    int sdk_state = 0;              // -1 unusable, 0 incomplete, 1 ready
    int keystore_state = 0;         // -1 unusable, 0 incomplete, 1 ready
};

// True when the main program may build: every tool path is known and both the SDK (with an
// API target) and the keystore (with alias and password) are ready.
bool build_components_ready(const tool_config& config);

// The file the main program reads: its own executable path with ".cfg" in place of ".exe".
std::string config_file_for_program(std::string_view program_path);
// The file the configurator reads and writes: "Vexlo.cfg" in its own folder.
std::string configurator_config_file(std::string_view program_folder);

}  // namespace build
