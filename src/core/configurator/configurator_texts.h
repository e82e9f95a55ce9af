#pragma once
// The configurator's window texts, its detection messages and its download links.
#include <string>
#include <string_view>

#include "vexlo_version.h"

namespace configurator {

inline constexpr std::string_view kProgramName = "Android Vexlo Configurator";
inline constexpr std::string_view kWindowCaption =
    "Android Vexlo Configurator v" VEXLO_VERSION_TEXT;
inline constexpr std::string_view kMessageCaption = "Android Vexlo Configurator";
inline constexpr std::string_view kNoneSelected = "<none selected>";
inline constexpr std::string_view kReadyButton = "I'm ready to compile Android apps with Vexlo!";

std::string welcome_text();
std::string keystore_description();

// Where each section's download link leads. They lead to what works with this suite: the old
// Ant build of Android projects needs the SDK Tools 25.2.5 (later tools dropped "android
// update project" and the Ant scripts), and those tools need a JDK 8.
inline constexpr std::string_view kJdkDownload =
    "https://adoptium.net/temurin/releases/?version=8&os=windows";
inline constexpr std::string_view kSdkDownload =
    "https://dl.google.com/android/repository/tools_r25.2.5-windows.zip";
inline constexpr std::string_view kAntDownload = "https://ant.apache.org/bindownload.cgi";

enum class tool_section { jdk, sdk, ant };

// The autodetect command's messages.
std::string not_found_text(tool_section section);  // with the advice to use "Browse"
std::string found_text(tool_section section, std::string_view path);
// The folder browser's title and the warning for a folder that is not valid.
std::string browse_title(tool_section section);
std::string invalid_folder_text(tool_section section);

}  // namespace configurator
