#pragma once
// What the main window tells the user once a build, a clean or the compile batch is done, and
// the texts of the progress dialog. Lines of a message are separated by one CR.
#include <string>
#include <string_view>

#include "core/build/compile_pipeline.h"

namespace build {

std::string clean_success_message(double seconds);
std::string compile_success_message(double seconds);
std::string unsigned_apk_message(std::string_view project_folder);
std::string compile_failed_message(std::string_view project_folder);
std::string cannot_write_message(std::string_view project_folder);
std::string cannot_start_message();
// Why a folder or tool path cannot be handed to cmd.exe: it holds characters that the
// console's code page lacks.
std::string unreadable_path_text();
std::string cannot_encode_message(std::string_view project_folder);
// The Explorer parameters that open the APK's folder with the APK selected.
std::string explorer_select_parameters(std::string_view file);

// "Create batch".
std::string batch_exists_question();
std::string batch_launch_question();
std::string batch_created_question();
// A keystore inside the project folder would be deleted by the batch's own clean-up line.
std::string keystore_in_project_message(std::string_view keystore_file);
bool keystore_in_folder(std::string_view keystore_file, std::string_view project_folder);

// The progress dialog: the title line for a compile or a clean and the step line of each step.
std::string progress_title(build_step step, std::string_view app_name,
                           std::string_view version_code);
std::string progress_step_text(build_step step);

}  // namespace build
