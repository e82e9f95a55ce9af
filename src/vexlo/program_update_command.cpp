// The program button of a BASIC!-based project: a chosen .bas file, merged with the
// files it includes, replaces the program inside the project. For other Android projects the
// button opens the manifest in the editor.
#include <windows.h>

#include "core/assets/include_expansion.h"
#include "core/assets/picture_filter.h"
#include "core/assets/program_target.h"
#include "core/shell/main_window_model.h"
#include "platform/platform.h"
#include "vexlo/app_state.h"
#include "vexlo/command_registry.h"
#include "vexlo/editor_launch.h"
#include "vexlo/file_dialogs.h"
#include "winui/message_box.h"

namespace vexlo {

namespace {

void error(HWND dialog, const std::string& text) {
    winui::show_message(dialog, text, shell::kProgramCaption, MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

void update_program(HWND dialog) {
    const std::string chosen =
        choose_existing_file(dialog, shell::kProgramCaption, assets::program_filter());
    if (chosen.empty()) return;
    // A program that cannot be read must not replace the project's program with nothing.
    std::string probe;
    if (!platform::read_file(chosen, probe)) {
        error(dialog, assets::unreadable_program_message(chosen));
        return;
    }
    assets::include_problems problems;
    const std::string merged = assets::expand_includes(chosen, &problems);
    const assets::program_target target = assets::find_program_target(app().project.project_folder);
    if (!target.found) {
        error(dialog, target.message);
        return;
    }
    const assets::write_outcome written =
        assets::replace_program(app().project.project_folder, target.path, merged);
    if (!written.completed()) {
        error(dialog, assets::unwritable_program_message(written));
        return;
    }
    winui::show_message(
        dialog, assets::update_done_message(problems), "Update BASIC! program",
        MB_OK | MB_TASKMODAL | (problems.empty() ? MB_ICONINFORMATION : MB_ICONWARNING));
}

void program_button(HWND dialog) {
    if (app().project.project_kind == project::kind::basic) {
        update_program(dialog);
        return;
    }
    if (app().project.project_kind == project::kind::android) open_manifest_in_editor(dialog);
}

const bool registered = register_command(shell::id_program, program_button);

}  // namespace

}  // namespace vexlo
