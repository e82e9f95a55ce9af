#include "core/build/compile_messages.h"

#include "core/build/compile_batch_text.h"
#include "core/text/text_helpers.h"

namespace build {

namespace {
constexpr const char* CR = "\r";
}

std::string clean_success_message(double seconds) {
    return "Project successfully cleaned in " + text::elapsed_text(seconds) + ".";
}

std::string compile_success_message(double seconds) {
    return text::trim_spaces(std::string("Project has been successfully built into an APK that") +
                             CR + "can be installed to any Android cellphone or tablet." + CR +
                             "Compilation time : " + text::elapsed_text(seconds) + "." + CR + CR +
                             "Click OK to open the folder containing the APK." + CR);
}

std::string unsigned_apk_message(std::string_view project_folder) {
    return text::trim_spaces(std::string("We could make an unsigned APK of the project") + CR +
                             "but there was a problem when trying to sign it" + CR +
                             "(probably wrong password and/or keystore alias)." + CR + CR +
                             "You can still install this unsigned APK on an emulator" + CR +
                             "or a developer device, but not on all tablets and cell-" + CR +
                             "phones, nor propose it in the Google Play store." + CR + CR +
                             "Do you want to read the details of the signing failure ?" + CR +
                             "(you can always find them later in" + CR +
                             std::string(project_folder) + "ant_log.txt)");
}

std::string compile_failed_message(std::string_view project_folder) {
    return text::trim_spaces(std::string("Sorry, compiling has failed.") + CR + CR +
                             "Do you want to read in detail the reasons why ?" + CR + CR +
                             "(you can always find them later in" + CR +
                             std::string(project_folder) + "ant_log.txt)");
}

std::string cannot_write_message(std::string_view project_folder) {
    return std::string("The project could not be built: its folder cannot be written.") + CR + CR +
           std::string(project_folder) + CR + CR +
           "Please check that the folder exists and that you may change files in it.";
}

std::string cannot_start_message() {
    return std::string(
               "The project could not be built: the command interpreter (cmd.exe) "
               "could not be started.") +
           CR + "Please check your Windows installation.";
}

std::string unreadable_path_text() {
    return std::string(
               "A folder or tool path contains characters that the Windows command "
               "interpreter (cmd.exe) cannot read on this system.") +
           CR + "Please use folders whose names use only characters of this system's language.";
}

std::string cannot_encode_message(std::string_view project_folder) {
    return std::string("The project could not be built:") + CR + CR + std::string(project_folder) +
           CR + CR + unreadable_path_text();
}

std::string explorer_select_parameters(std::string_view file) {
    return "/select,\"" + std::string(file) + "\"";
}

std::string batch_exists_question() {
    return std::string("A compiling batch already exists.") + CR + "Overwrite it ?";
}

std::string batch_launch_question() {
    return "Launch the compiling batch ?";
}

std::string batch_created_question() {
    return std::string("The compiling batch has been correctly created.") + CR + "Launch it ?";
}

bool keystore_in_folder(std::string_view keystore_file, std::string_view project_folder) {
    const std::string folder = text::with_one_trailing_backslash(project_folder);
    const std::string name = file_name_of(keystore_file);
    return text::iequals_ascii(keystore_file, folder + name);
}

std::string keystore_in_project_message(std::string_view keystore_file) {
    return std::string("The keystore lies inside the project folder:") + CR +
           std::string(keystore_file) + CR + CR +
           "The compiling batch copies the keystore into the project and deletes the copy "
           "afterwards, which would delete this keystore." +
           CR + "Please move the keystore out of the project folder first.";
}

std::string progress_title(build_step step, std::string_view app_name,
                           std::string_view version_code) {
    const std::string what = step == build_step::clean_started ? "Cleaning " : "Building ";
    return what + text::trim_spaces(app_name) + " " + text::trim_spaces(version_code);
}

std::string progress_step_text(build_step step) {
    switch (step) {
        case build_step::updating: return "Updating Android project";
        case build_step::cleaning:
        case build_step::clean_started: return "Cleaning...";
        case build_step::compiling: return "Compiling...";
        case build_step::signing: return "Signing apk...";
        case build_step::compile_started: break;
    }
    return "";
}

}  // namespace build
