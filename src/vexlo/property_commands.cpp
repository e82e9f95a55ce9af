#include "core/shell/main_window_model.h"
#include "platform/platform.h"
#include "vexlo/app_state.h"
#include "vexlo/commands.h"
#include "vexlo/permissions_dialog.h"
#include "vexlo/project_view.h"
#include "vexlo/project_writer.h"
#include "winui/command_thread.h"
#include "winui/message_box.h"
#include "winui/text_controls.h"

namespace vexlo {

using namespace shell;

void edit_permissions(HWND dialog) {
    const bool accepted =
        run_permissions_dialog(dialog, app().permission_choice) == winui::dialog_answer::ok;
    if (app().project.changes_pending) return;
    if (accepted && app().permission_choice != app().project.saved_permissions)
        show_pending(dialog, true);
}

void discard_changes(HWND dialog) {
    if (winui::show_message(dialog, "Are you sure ?", "Discard changes",
                            MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL) != IDYES)
        return;
    app().project.changes_pending = true;  // the restored texts must not mark anything
    show_properties(dialog);
    app().permission_choice = app().project.saved_permissions;
    show_pending(dialog, false);
}

namespace {

// Keeps the user informed during a long Apply: after a moment the status line counts the files
// seen, a few times a second, and gets its text back at the end.
class apply_progress {
public:
    explicit apply_progress(HWND dialog)
        : dialog_(dialog),
          saved_(winui::get_item_text(dialog, id_status)),
          start_(GetTickCount()) {}
    ~apply_progress() {
        if (shown_) winui::set_item_text(dialog_, id_status, saved_);
    }
    apply_progress(const apply_progress&) = delete;
    apply_progress& operator=(const apply_progress&) = delete;

    void step() {
        ++files_;
        const DWORD now = GetTickCount();
        if (now - start_ < 300 || (shown_ && now - last_ < 100)) return;
        last_ = now;
        shown_ = true;
        winui::set_item_text(dialog_, id_status, apply_progress_text(files_));
    }

private:
    HWND dialog_;
    std::string saved_;
    DWORD start_;
    DWORD last_ = 0;
    std::size_t files_ = 0;
    bool shown_ = false;
};

// The whole Apply, on the command thread: the main window is disabled meanwhile, so nothing
// the user clicks there can load, apply or compile while the files are being rewritten.
void apply_on_command_thread(HWND dialog) {
    if (winui::show_message(dialog, "Are you sure ?", "Apply changes",
                            MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL) != IDYES)
        return;
    vexlo_state& state = app();
    const std::string folder = state.project.project_folder;
    project::apply_result result;
    {
        apply_progress progress(dialog);
        const assets::progress_callback step = [&progress] { progress.step(); };
        delete_work_folder(folder, step);
        const edited_values edits{winui::get_item_text(dialog, id_app_name),
                                  winui::get_item_text(dialog, id_package),
                                  winui::get_item_text(dialog, id_version_name),
                                  winui::get_item_text(dialog, id_version_code),
                                  winui::get_item_text(dialog, id_min_sdk),
                                  winui::get_item_text(dialog, id_target_sdk)};
        const project::property_changes changes =
            take_edits(edits, state.permission_choice, state.project);
        if (!changes.any() && !has_unfinished_rename(folder)) {
            show_pending(dialog, false);
            const apply_report report = report_for(std::vector<std::string>{});
            winui::show_message(dialog, report.text, report.caption,
                                MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
            return;
        }
        result = write_project_changes(state.project, changes, step);
    }
    const apply_report report = report_for_apply(result);
    if (!result.succeeded()) {
        winui::show_message(dialog, report.text, report.caption,
                            MB_OK | MB_ICONERROR | MB_TASKMODAL);
        // Show what the files hold now rather than what was asked for.
        load_project(dialog, folder);
        return;
    }
    state.permission_choice = state.project.saved_permissions;
    state.project.changes_pending = true;  // the boxes are refreshed without marking anything
    show_properties(dialog);
    show_pending(dialog, false);
    winui::show_message(dialog, report.text, report.caption,
                        MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
}

}  // namespace

void apply_changes(HWND dialog) {
    if (app().project.project_kind == project::kind::no_manifest) return;  // nothing to write into
    winui::run_on_command_thread(dialog, [dialog] { apply_on_command_thread(dialog); });
}

}  // namespace vexlo
