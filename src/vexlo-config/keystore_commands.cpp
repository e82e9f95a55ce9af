#include "vexlo-config/keystore_commands.h"

#include <commdlg.h>
#include <shellapi.h>

#include <string>

#include "core/build/compile_identity.h"
#include "core/build/compile_messages.h"
#include "core/configurator/keystore_creation.h"
#include "core/configurator/keystore_replacement.h"
#include "platform/platform.h"
#include "platform/win32/utf16.h"
#include "vexlo-config/configurator_app.h"
#include "vexlo-config/keystore_details_dialog.h"
#include "vexlo-config/status_refresh.h"
#include "winui/command_runner.h"
#include "winui/keystore_check.h"
#include "winui/keystore_dialog.h"
#include "winui/message_box.h"

namespace vexlo_config {

namespace {

constexpr const wchar_t kFilter[] = L"Java KeyStore (*.JKS)\0*.jks\0";
constexpr const char* kKeystoreCaption = "Keystore";

// The open or save dialog for a keystore; "" when cancelled.
std::string keystore_file_dialog(HWND owner, bool save, const wchar_t* title) {
    std::wstring file(32768, L'\0');
    if (save) wcscpy(file.data(), L"keystore.jks");
    OPENFILENAMEW info{};
    info.lStructSize = sizeof info;
    info.hwndOwner = owner;
    info.lpstrFilter = kFilter;
    info.nFilterIndex = 1;
    info.lpstrFile = file.data();
    info.nMaxFile = static_cast<DWORD>(file.size());
    info.lpstrTitle = title;
    // The current folder stays as it is: Ant's detection looks there.
    info.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                 (save ? OFN_CREATEPROMPT : OFN_FILEMUSTEXIST);
    const BOOL ok = save ? GetSaveFileNameW(&info) : GetOpenFileNameW(&info);
    if (!ok) return "";
    file.resize(wcslen(file.c_str()));
    return platform::narrow(file);
}

// Asks for alias and password until keytool accepts them for the configured keystore, or the
// user gives up.
void confirmation_loop(HWND window) {
    build::tool_config& config = app().config;
    app().dialog_alias = config.keystore_alias;
    app().dialog_password = config.keystore_password;
    winui::keystore_request request = winui::keystore_request::first;
    for (;;) {
        if (!winui::keystore_dialog(window, request, app().dialog_alias, app().dialog_password))
            break;
        config.keystore_alias = app().dialog_alias;
        config.keystore_password = app().dialog_password;
        build::run_outcome outcome;
        const build::alias_check check = [&] {
            busy_scope busy;
            return winui::check_keystore_alias(config, build::runner_variant::configurator,
                                               config.keystore_path, config.keystore_alias,
                                               config.keystore_password, &outcome);
        }();
        app().dialog_alias.clear();
        app().dialog_password.clear();
        if (check == build::alias_check::not_checked) {
            // No answer is no verdict: say why instead of calling the values wrong.
            config.keystore_state = 0;
            winui::show_message(window, build::alias_check_failed_message(outcome),
                                kKeystoreCaption, MB_OK | MB_ICONERROR | MB_TASKMODAL);
            break;
        }
        config.keystore_state = check == build::alias_check::fits ? 1 : 0;
        if (config.keystore_state == 1) break;
        request = winui::keystore_request::again;
    }
    request_status_refresh(window);
}

// Said once, after a creation: which certificate the new key has, and that without the
// keystore and its password the app can never be updated.
void advise_keeping_safe(HWND window, const std::string& file) {
    const configurator::split_path where = configurator::split_keystore_path(file);
    winui::run_request request;
    request.command = configurator::list_key_command(where.file_name, app().config.keystore_alias,
                                                     app().config.keystore_password);
    request.folder = where.folder;
    request.variant = build::runner_variant::configurator;
    const build::run_outcome listing = [&] {
        busy_scope busy;
        return winui::run_tool(app().config, request);
    }();
    const std::string text =
        configurator::keep_keystore_safe_text(file, configurator::certificate_sha256(listing.text));
    if (winui::show_message(window, text, kKeystoreCaption,
                            MB_YESNO | MB_ICONINFORMATION | MB_TASKMODAL) == IDYES)
        ShellExecuteW(nullptr, L"open", L"explorer.exe",
                      platform::widen(build::explorer_select_parameters(file)).c_str(), nullptr,
                      SW_SHOW);
}

}  // namespace

void select_keystore(HWND window) {
    const std::string file = keystore_file_dialog(window, false, L"Select your keystore");
    if (file.empty()) return;
    app().config.keystore_path = file;
    confirmation_loop(window);
}

void confirm_keystore(HWND window) {
    confirmation_loop(window);
}

namespace {

// Whether the user may go on with a keystore at this place: an existing keystore stays
// untouched until its replacement exists and checks (it may be the key a published app is
// signed with), and a read-only one is not replaced at all.
bool may_create_at(HWND window, const std::string& file) {
    const bool replacing = platform::file_exists(file);
    if (replacing && platform::is_read_only(file)) {
        configurator::keystore_making refused;
        refused.outcome = configurator::keystore_made::read_only;
        winui::show_message(window, configurator::keystore_problem_text(file, refused, ""),
                            kKeystoreCaption, MB_OK | MB_ICONERROR | MB_TASKMODAL);
        return false;
    }
    if (replacing &&
        winui::show_message(window, configurator::replace_question(file), kKeystoreCaption,
                            MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL) != IDYES) {
        winui::show_message(window, std::string(configurator::kCreationCancelled), kKeystoreCaption,
                            MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL);
        return false;
    }
    return true;
}

}  // namespace

void create_keystore(HWND window) {
    const std::string file = keystore_file_dialog(window, true, L"Save keystore as");
    if (file.empty() || !may_create_at(window, file)) return;
    if (!winui::keystore_dialog(window, winui::keystore_request::first, app().dialog_alias,
                                app().dialog_password))
        return;
    if (!vexlo_config::keystore_details_dialog(window, app().owner)) return;

    build::run_outcome outcome;
    configurator::keystore_tools tools;
    tools.generate = [&outcome](const std::string& path) {
        const configurator::split_path where = configurator::split_keystore_path(path);
        winui::run_request request;
        request.command = configurator::genkey_command(where.file_name, app().dialog_alias,
                                                       app().dialog_password, app().owner);
        request.folder = where.folder;
        request.variant = build::runner_variant::configurator;
        busy_scope busy;
        outcome = winui::run_tool(app().config, request);
    };
    tools.opens = [&outcome](const std::string& path) {
        busy_scope busy;
        return winui::check_keystore_alias(app().config, build::runner_variant::configurator, path,
                                           app().dialog_alias, app().dialog_password,
                                           &outcome) == build::alias_check::fits;
    };
    const configurator::keystore_making making = configurator::make_keystore(file, tools);
    if (making.outcome != configurator::keystore_made::created) {
        const bool kept = making.outcome == configurator::keystore_made::not_replaced;
        const std::string text = configurator::keystore_problem_text(file, making, outcome.text);
        if (kept)
            winui::show_message(window, text, kKeystoreCaption,
                                MB_OK | MB_ICONERROR | MB_TASKMODAL);
        else
            tell(window, text, MB_OK | MB_ICONERROR);
        return;
    }
    build::tool_config& config = app().config;
    config.keystore_state = 1;
    config.keystore_path = file;
    config.keystore_alias = app().dialog_alias;
    config.keystore_password = app().dialog_password;
    request_status_refresh(window);
    tell(window, configurator::keystore_created_text(making), MB_OK | MB_ICONINFORMATION);
    advise_keeping_safe(window, file);
}

}  // namespace vexlo_config
