// The duplicate button: the whole project is copied to a folder the user names, then
// the copy may be loaded.
#include <windows.h>

#include "core/assets/project_duplicate.h"
#include "core/shell/main_window_model.h"
#include "core/text/text_helpers.h"
#include "vexlo/app_state.h"
#include "vexlo/command_registry.h"
#include "vexlo/duplicate_dialog.h"
#include "vexlo/file_dialogs.h"
#include "vexlo/project_view.h"
#include "winui/message_box.h"

namespace vexlo {

namespace {

void duplicate(HWND dialog) {
    const std::string project = app().project.project_folder;
    const std::string current = text::without_trailing_backslashes(project);
    const std::size_t cut = current.find_last_of('\\');
    const std::string parent = cut == std::string::npos ? "" : current.substr(0, cut + 1);
    const std::string name = cut == std::string::npos ? current : current.substr(cut + 1);
    const std::string target = choose_save_path(dialog, "Save project as", parent, name);
    if (target.empty()) return;

    const assets::duplicate_refusal refusal = assets::check_duplicate_target(project, target);
    if (refusal != assets::duplicate_refusal::none) {
        winui::show_message(dialog, assets::refusal_message(refusal, target),
                            shell::kProgramCaption, MB_OK | MB_ICONERROR | MB_TASKMODAL);
        return;
    }
    const assets::duplicate_result result = vexlo::run_duplicate_dialog(dialog, project, target);
    const std::string problem = assets::duplicate_problem_message(result, target);
    if (!result.target_created) {  // nothing was copied, so there is nothing to load
        winui::show_message(dialog, problem, shell::kProgramCaption,
                            MB_OK | MB_ICONERROR | MB_TASKMODAL);
        return;
    }
    if (!problem.empty())
        winui::show_message(dialog, problem, shell::kProgramCaption,
                            MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL);
    if (winui::show_message(dialog, assets::load_duplicate_question(), shell::kProgramCaption,
                            MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL) == IDYES) {
        app().project.changes_pending = false;
        load_project(dialog, text::with_one_trailing_backslash(target));
    }
}

const bool registered = register_command(shell::id_duplicate, duplicate);

}  // namespace

}  // namespace vexlo
