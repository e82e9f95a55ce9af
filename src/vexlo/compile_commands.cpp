// "Compile APK" and "Clean project": the signing identity, the build behind the
// progress dialog, and the outcome told to the user.
#include <windows.h>
#include <shellapi.h>

#include <memory>

#include "core/assets/file_tree.h"
#include "core/build/apk_verification.h"
#include "core/project/sdk_advice.h"
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
#include "vexlo/phone_install.h"
#include "vexlo/signing_identity.h"
#include "winui/command_thread.h"
#include "winui/message_box.h"

namespace vexlo {

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

device::app_facts facts_of(const build::build_inputs& in) {
    const project::project_state& p = app().project;
    return {in.app_name, in.package_name, in.version_code, p.min_sdk, p.target_sdk};
}

double seconds_since(double start) {
    double elapsed = platform::seconds_since_midnight() - start;
    if (elapsed < 0) elapsed += 24 * 3600;  // the build ran past midnight
    return elapsed;
}

void select_in_explorer(const std::string& file) {
    ShellExecuteW(nullptr, L"open", L"explorer.exe",
                  platform::widen(build::explorer_select_parameters(file)).c_str(), nullptr,
                  SW_SHOW);
}

// The success message, what the verifier proved, and (once per project and levels) what the
// SDK levels and the signature mean for phones and Google Play.
std::string success_text(double seconds, const build::build_inputs& in,
                         const build::apk_verification& verification) {
    static project::advice_memory said;
    const project::project_state& p = app().project;
    std::string text = build::compile_success_message(seconds) + "\r\r" +
                       build::verified_signature_text(verification);
    const std::string advice = project::compile_advice(
        p.min_sdk, p.target_sdk, platform::local_date(), verification.schemes);
    if (!advice.empty() && said.first_time(in.project_folder, p.min_sdk, p.target_sdk))
        text += "\r\r" + advice;
    return text;
}

void report(HWND dialog, bool clean_mode, build::build_result result, double seconds,
            const build::build_inputs& in, const build::apk_verification& verification) {
    const std::string& folder = in.project_folder;
    const std::string log = folder + "ant_log.txt";
    switch (result) {
        case build::result_cancelled: return;
        case build::result_signed:
            if (clean_mode) {
                winui::show_message(dialog, build::clean_success_message(seconds),
                                    shell::kProgramCaption, MB_OK | MB_ICONINFORMATION);
                return;
            }
            platform::remove_file(log);
            {
                // adb lists the phones while the message is read, so a question can follow it
                // at once. Explorer opens once the phone is done with: a box shown after it
                // started would stand behind its window.
                phone_install phone(app().tools);
                winui::show_message(dialog, success_text(seconds, in, verification),
                                    shell::kProgramCaption, MB_OK | MB_ICONINFORMATION);
                phone.offer(dialog, facts_of(in), build::final_apk_path(in));
            }
            select_in_explorer(build::apk_to_select(in));
            return;
        case build::result_unsigned_only:
            if (winui::show_message(dialog, build::unsigned_apk_message(folder),
                                    shell::kProgramCaption, MB_YESNO | MB_ICONEXCLAMATION) == IDYES)
                open_in_editor(log);
            select_in_explorer(build::apk_to_select(in));
            return;
        case build::result_unverified: {
            const std::string verify_log = build::work_folder(in) + build::kVerifyLog;
            if (winui::show_message(dialog, build::unverified_apk_message(verification, verify_log),
                                    shell::kProgramCaption, MB_YESNO | MB_ICONERROR) == IDYES)
                open_in_editor(verify_log);
            select_in_explorer(build::apk_to_select(in));
            return;
        }
        case build::result_no_apk:
            if (build_failure_report(folder)) return;
            if (winui::show_message(dialog, build::compile_failed_message(folder),
                                    shell::kProgramCaption, MB_YESNO | MB_ICONERROR) == IDYES)
                open_in_editor(log);
            return;
        case build::result_cannot_write:
            winui::show_message(dialog, build::cannot_write_message(folder), shell::kProgramCaption,
                                MB_OK | MB_ICONERROR);
            return;
        case build::result_cannot_encode:
            winui::show_message(dialog, build::cannot_encode_message(folder),
                                shell::kProgramCaption, MB_OK | MB_ICONERROR);
            return;
        case build::result_cannot_start:
            winui::show_message(dialog, build::cannot_start_message(), shell::kProgramCaption,
                                MB_OK | MB_ICONERROR);
            return;
    }
}

// The job of the next command, its command interpreter already running: starting one with its
// console takes longer than several short tools, so it is started once a command is over, not
// when the user waits for the next. Used by the command threads only, one after another.
struct spare_job {
    std::shared_ptr<winui::tool_job> job;
    // The program is ending: the interpreter is let go and its files removed before it does.
    ~spare_job() {
        if (job) job->end_session(true);
    }
};

spare_job& spare() {
    static spare_job holder;
    return holder;
}

std::shared_ptr<winui::tool_job> take_job() {
    std::shared_ptr<winui::tool_job> job = std::move(spare().job);
    if (!job || job->cancelled()) job = std::make_shared<winui::tool_job>();
    return job;
}

void prepare_spare_job() {
    auto job = std::make_shared<winui::tool_job>();
    if (job->session().start(job->processes())) spare().job = std::move(job);
}

void build_project(HWND dialog, bool clean_mode) {
    // One job for the keystore check and the build: keytool and the build's tools share one
    // command interpreter.
    std::shared_ptr<winui::tool_job> job = take_job();
    if (clean_mode) {
        assets::delete_folder_tree(app().project.project_folder + ".avlo");
    } else if (!choose_signing_identity(dialog, job.get())) {
        return;
    }
    const build::build_inputs in = inputs_of_project();
    const double start = platform::seconds_since_midnight();
    build::apk_verification verification;
    const build::build_result result =
        run_progress_dialog(dialog, clean_mode, in, app().tools, std::move(job), &verification);
    report(dialog, clean_mode, result, seconds_since(start), in, verification);
}

// The questions, the progress dialog and the outcome run on a thread of their own, so the main
// window answers its messages all along.
void build_on_command_thread(HWND dialog, bool clean_mode) {
    winui::run_on_command_thread(dialog, [dialog, clean_mode] {
        build_project(dialog, clean_mode);
        prepare_spare_job();
    });
}

void compile_apk(HWND dialog) {
    build_on_command_thread(dialog, false);
}
void clean_project(HWND dialog) {
    build_on_command_thread(dialog, true);
}

const bool compile_registered = register_command(shell::id_compile, compile_apk);
const bool clean_registered = register_command(shell::id_clean, clean_project);

}  // namespace

}  // namespace vexlo
