// "Compile APK" (1031) and "Clean project" (1032): the signing identity, the build behind the
// progress dialog, and the outcome told to the user.
#include <windows.h>
#include <shellapi.h>

#include "core/assets/file_tree.h"
#include "core/build/compile_batch_text.h"
#include "core/build/compile_messages.h"
#include "core/shell/main_window_model.h"
#include "platform/platform.h"
#include "platform/win32/utf16.h"
#include "vexlo/app_state.h"
#include "vexlo/command_registry.h"
#include "vexlo/compile_progress_dialog.h"
#include "vexlo/editor_launch.h"
#include "vexlo/failure_report_launch.h"
#include "vexlo/signing_identity.h"
#include "winui/message_box.h"

namespace {

build::build_inputs inputs_of_project() {
    const project::project_state& p = app().project;
    build::build_inputs in;
    in.project_folder = p.project_folder;
    in.app_name = p.app_name;
    in.package_name = p.package_name;
    in.version_code = p.version_code;
    in.api_target_id = app().tools.api_target_id;
    in.identity = current_identity();
    in.ant_properties_source = build::ant_properties_path(platform::temp_folder());
    return in;
}

double seconds_since(double start) {
    double elapsed = platform::seconds_since_midnight() - start;
    if (elapsed < 0) elapsed += 24 * 3600;  // the build ran past midnight
    return elapsed;
}

void select_in_explorer(const std::string& file) {
    ShellExecuteW(nullptr, L"open", L"explorer.exe",
                  widen(build::explorer_select_parameters(file)).c_str(), nullptr, SW_SHOW);
}

void report(HWND dialog, bool clean_mode, build::build_result result, double seconds,
            const build::build_inputs& in) {
    const std::string& folder = in.project_folder;
    const std::string log = folder + "ant_log.txt";
    switch (result) {
        case build::result_cancelled: return;
        case build::result_signed:
            if (clean_mode) {
                show_message(dialog, build::clean_success_message(seconds), shell::kProgramCaption,
                             MB_OK | MB_ICONINFORMATION);
                return;
            }
            platform::remove_file(log);
            show_message(dialog, build::compile_success_message(seconds), shell::kProgramCaption,
                         MB_OK | MB_ICONINFORMATION);
            select_in_explorer(build::final_apk_path(in));
            return;
        case build::result_unsigned_only:
            if (show_message(dialog, build::unsigned_apk_message(folder), shell::kProgramCaption,
                             MB_YESNO | MB_ICONEXCLAMATION) == IDYES)
                open_in_editor(log);
            select_in_explorer(build::final_apk_path(in));
            return;
        case build::result_no_apk:
            if (build_failure_report(folder)) return;
            if (show_message(dialog, build::compile_failed_message(folder), shell::kProgramCaption,
                             MB_YESNO | MB_ICONERROR) == IDYES)
                open_in_editor(log);
            return;
        case build::result_cannot_write:
            show_message(dialog, build::cannot_write_message(folder), shell::kProgramCaption,
                         MB_OK | MB_ICONERROR);
            return;
        case build::result_cannot_start:
            show_message(dialog, build::cannot_start_message(), shell::kProgramCaption,
                         MB_OK | MB_ICONERROR);
            return;
    }
}

void build_project(HWND dialog, bool clean_mode) {
    if (clean_mode) {
        assets::delete_folder_tree(app().project.project_folder + ".avlo");
    } else if (!choose_signing_identity(dialog)) {
        return;
    }
    const build::build_inputs in = inputs_of_project();
    const double start = platform::seconds_since_midnight();
    const build::build_result result = run_progress_dialog(dialog, clean_mode, in, app().tools);
    report(dialog, clean_mode, result, seconds_since(start), in);
}

void compile_apk(HWND dialog) { build_project(dialog, false); }
void clean_project(HWND dialog) { build_project(dialog, true); }

const bool compile_registered = register_command(shell::id_compile, compile_apk);
const bool clean_registered = register_command(shell::id_clean, clean_project);

}  // namespace
