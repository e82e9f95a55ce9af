#include "vexlo/signing_identity.h"

#include <commdlg.h>

#include "core/build/ant_properties.h"
#include "core/build/compile_batch_text.h"
#include "core/build/compile_identity.h"
#include "core/build/tool_commands.h"
#include "core/shell/main_window_model.h"
#include "platform/platform.h"
#include "platform/win32/utf16.h"
#include "vexlo/app_state.h"
#include "winui/command_thread.h"
#include "winui/command_runner.h"
#include "winui/keystore_check.h"
#include "winui/keystore_dialog.h"
#include "winui/message_box.h"

namespace vexlo {

signing_secrets& signing() {
    static signing_secrets secrets;
    return secrets;
}

build::signing_identity current_identity() {
    return {app().keystore_file, signing().key_alias, signing().key_password};
}

namespace {

// The open-file dialog "Select keystore" with the single filter "All files"; "" when
// cancelled. The program's current folder is left as it was.
std::string choose_keystore_file(HWND owner) {
    wchar_t file[MAX_PATH] = {};
    static const wchar_t filter[] = L"All files\0*.*\0";
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter;
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrTitle = L"Select keystore";
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_EXPLORER;
    return GetOpenFileNameW(&ofn) ? platform::narrow(file) : std::string();
}

void set_identity(const build::signing_identity& identity) {
    app().keystore_file = identity.keystore_file;
    signing().key_alias = identity.alias;
    signing().key_password = identity.password;
}

// The identity from the project's batch; false when the user must be asked.
bool identity_from_project_batch() {
    const std::string& folder = app().project.project_folder;
    const build::identity_from_batch read = build::read_identity_from_batch(folder);
    if (read.kind == build::batch_identity_kind::usable) {
        set_identity(read.identity);
        return true;
    }
    // A batch that names a keystore or properties file that is gone can no longer work.
    if (read.kind == build::batch_identity_kind::vanished)
        platform::remove_file(folder + std::string(build::kCompileBatchName));
    return false;
}

// Asks which keystore to use; false when the user cancelled.
bool ask_for_identity(HWND owner) {
    const int answer =
        winui::show_message(owner, build::keystore_question(), shell::kProgramCaption,
                            MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDYES) {
        const build::tool_config& tools = app().tools;
        set_identity({tools.keystore_path, tools.keystore_alias, tools.keystore_password});
        return true;
    }
    if (answer != IDNO) return false;
    const std::string file = choose_keystore_file(owner);
    if (file.empty()) return false;
    app().keystore_file = file;
    std::string alias = signing().key_alias;
    std::string password = signing().key_password;
    if (!winui::keystore_dialog(owner, winui::keystore_request::first, alias, password))
        return false;
    signing().key_alias = alias;
    signing().key_password = password;
    return true;
}

// keytool runs while the main window stays painted but takes no clicks: starting a process can
// take the system a while, and a command thread does it.
build::alias_check check_with_owner_disabled(HWND owner, build::run_outcome& outcome,
                                             winui::tool_job* job) {
    const build::tool_config tools = app().tools;
    const build::signing_identity identity = current_identity();
    build::alias_check verdict = build::alias_check::not_checked;
    winui::run_on_command_thread(owner, [&] {
        verdict = winui::check_keystore_alias(tools, build::runner_variant::main_program,
                                              identity.keystore_file, identity.alias,
                                              identity.password, &outcome, job);
    });
    return verdict;
}

// Checks the identity until it fits, asking again; false when the user cancelled
// or the check cannot run.
bool prove_identity(HWND owner, winui::tool_job* job) {
    for (;;) {
        // Values read from a batch or the configuration that cannot be passed safely are asked
        // for again, like values that do not fit.
        const std::string problem =
            build::signing_values_problem(signing().key_alias, signing().key_password);
        build::alias_check verdict = build::alias_check::does_not_fit;
        if (problem.empty()) {
            build::run_outcome outcome;
            verdict = check_with_owner_disabled(owner, outcome, job);
            if (verdict == build::alias_check::not_checked) {
                winui::show_message(owner, build::alias_check_failed_message(outcome), "Keystore",
                                    MB_OK | MB_ICONERROR);
                return false;
            }
        } else {
            winui::show_message(owner, problem, "Keystore", MB_OK | MB_ICONEXCLAMATION);
        }
        if (verdict == build::alias_check::fits) return true;
        std::string alias, password;
        if (!winui::keystore_dialog(owner, winui::keystore_request::again, alias, password))
            return false;
        signing().key_alias = alias;
        signing().key_password = password;
    }
}

}  // namespace

bool choose_signing_identity(HWND owner, winui::tool_job* job) {
    const bool settled = !app().keystore_file.empty() && !signing().key_alias.empty() &&
                         !signing().key_password.empty();
    if (!settled && !identity_from_project_batch() && !ask_for_identity(owner)) {
        app().keystore_file.clear();  // nothing half-chosen survives a cancel
        return false;
    }
    if (!prove_identity(owner, job)) {
        app().keystore_file.clear();
        return false;
    }
    const std::string properties = build::ant_properties_path(platform::temp_folder());
    platform::remove_file(properties);
    if (!platform::write_file(properties,
                              build::ant_properties_text(app().keystore_file, signing().key_alias,
                                                         signing().key_password))) {
        winui::show_message(owner, "The Ant properties file cannot be written:\r" + properties,
                            shell::kProgramCaption, MB_OK | MB_ICONERROR);
        return false;
    }
    return true;
}

}  // namespace vexlo
