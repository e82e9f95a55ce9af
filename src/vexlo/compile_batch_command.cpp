// "Create batch": writes the stand-alone BuildAPK.bat into the project, keeps it out of
// version control and offers to start it in a console window.
#include <windows.h>
#include <shellapi.h>

#include "core/build/build_names.h"
#include "core/build/compile_batch_text.h"
#include "core/build/compile_messages.h"
#include "core/build/gitignore_entry.h"
#include "core/shell/main_window_model.h"
#include "platform/platform.h"
#include "platform/win32/utf16.h"
#include "vexlo/app_state.h"
#include "vexlo/command_registry.h"
#include "vexlo/signing_identity.h"
#include "winui/command_runner.h"
#include "winui/message_box.h"

namespace vexlo {

namespace {

constexpr const char* kBatchCaption = "BuildAPK.bat";

bool ask(HWND owner, const std::string& question) {
    return winui::show_message(owner, question, kBatchCaption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

// The launching batch lives in a folder of its own below the temporary folder, so that it
// never lands in whatever folder happens to be current.
void launch_compile_batch(HWND owner) {
    const std::string folder = platform::temp_folder() + "\\vexlo-launch\\";
    platform::make_directories(folder);
    const std::string batch = folder + "temp.bat";
    std::string bytes;
    const std::string project_folder = build::runner_folder(
        platform::batch_readable_path(app().project.project_folder), app().project.project_folder);
    if (!platform::batch_encoding(build::launch_batch_text(project_folder), bytes)) {
        winui::show_message(owner, build::unreadable_path_text(), kBatchCaption,
                            MB_OK | MB_ICONERROR);
        return;
    }
    if (!platform::write_file(batch, bytes)) {
        winui::show_message(owner, "The launching batch cannot be written:\r" + batch,
                            shell::kProgramCaption, MB_OK | MB_ICONERROR);
        return;
    }
    ShellExecuteW(nullptr, L"open", platform::widen(batch).c_str(), nullptr, nullptr, SW_SHOW);
}

void add_to_gitignore(const std::string& folder) {
    const std::string path = folder + ".gitignore";
    std::string text;
    if (!platform::read_file(path, text)) return;  // creating one is another button's job
    const std::optional<std::string> extended = build::gitignore_with_compile_batch(text);
    if (!extended) return;
    platform::write_file_safely(path, *extended);
}

// 1 when the batch was written, 0 when the user cancelled or it cannot be written.
int create_compile_batch(HWND owner) {
    if (!choose_signing_identity(owner)) return 0;
    const project::project_state& p = app().project;
    if (build::keystore_in_folder(app().keystore_file, p.project_folder)) {
        winui::show_message(owner, build::keystore_in_project_message(app().keystore_file),
                            kBatchCaption, MB_OK | MB_ICONEXCLAMATION);
        return 0;
    }
    // Folders whose names the console's code page lacks are named by their short forms. The
    // keystore keeps its own file name: the batch copies it under that name, which the Ant
    // properties name.
    const std::string& keystore = app().keystore_file;
    const std::size_t name_at = keystore.rfind('\\');
    const std::string readable_keystore =
        name_at == std::string::npos
            ? keystore
            : platform::batch_readable_path(keystore.substr(0, name_at)) + keystore.substr(name_at);
    const std::string text = build::compile_batch_text(
        winui::batch_readable_tools(app().tools),
        platform::batch_readable_path(build::ant_properties_path(platform::temp_folder())),
        readable_keystore, build::ant_project_name(p.package_name),
        build::apk_file_name(p.app_name, p.version_name));
    const std::string batch = p.project_folder + std::string(build::kCompileBatchName);
    // Read by cmd.exe in the console's code page: a path it could not read is refused here,
    // rather than written into a batch that would copy or build the wrong files.
    std::string bytes;
    if (!platform::batch_encoding(text, bytes)) {
        winui::show_message(owner, build::cannot_encode_message(p.project_folder), kBatchCaption,
                            MB_OK | MB_ICONERROR);
        return 0;
    }
    if (!platform::write_file(batch, bytes)) {
        winui::show_message(owner, build::cannot_write_message(p.project_folder), kBatchCaption,
                            MB_OK | MB_ICONERROR);
        return 0;
    }
    add_to_gitignore(p.project_folder);
    return 1;
}

void create_batch(HWND dialog) {
    const std::string batch = app().project.project_folder + std::string(build::kCompileBatchName);
    if (platform::file_exists(batch) && !ask(dialog, build::batch_exists_question())) {
        if (ask(dialog, build::batch_launch_question())) launch_compile_batch(dialog);
        return;
    }
    app().keystore_file.clear();  // the identity is settled anew for the batch
    if (!create_compile_batch(dialog)) return;
    if (ask(dialog, build::batch_created_question())) launch_compile_batch(dialog);
}

const bool registered = register_command(shell::id_batch, create_batch);

}  // namespace

}  // namespace vexlo
