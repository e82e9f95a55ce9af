#include "core/configurator/configurator_texts.h"

namespace configurator {

std::string welcome_text() {
    return "Welcome to " + std::string(kProgramName) +
           ". In order to compile your Android apps with Vexlo,the following components need to "
           "be installed:     ";
}

std::string keystore_description() {
    return "A keystore is needed to sign your application and put it on\rGoogle Play. If you "
           "already have one, locate it here:";
}

std::string not_found_text(tool_section section) {
    const char* what = section == tool_section::jdk   ? "Java SE Dev. Kit"
                       : section == tool_section::sdk ? "Android SDK"
                                                      : "Apache Ant";
    return std::string(what) +
           " was not found on your computer\r\rPlease use the Browse button to select manually";
}

std::string found_text(tool_section section, std::string_view path) {
    const char* what = section == tool_section::jdk   ? "Java SE Dev. Kit found in:"
                       : section == tool_section::sdk ? "Android SDK found in:"
                                                      : "Apache Ant found in:";
    return std::string(what) + "\r" + std::string(path);
}

std::string browse_title(tool_section section) {
    switch (section) {
        case tool_section::jdk: return "Select path to Java SE Development Kit";
        case tool_section::sdk: return "Select path to Android SDK";
        case tool_section::ant: break;
    }
    return "Select path to Ant root-directory";
}

std::string invalid_folder_text(tool_section section) {
    switch (section) {
        case tool_section::jdk: return "This is not a valid Java SE Dev. Kit directory";
        case tool_section::sdk: return "This is not a valid Android SDK directory";
        case tool_section::ant: break;
    }
    return "This is not a valid Ant root-directory";
}

}  // namespace configurator
