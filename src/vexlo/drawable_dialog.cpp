#include "vexlo/drawable_dialog.h"

#include <commctrl.h>

#include "core/assets/drawable_rules.h"
#include "core/assets/icon_plan.h"
#include "core/assets/project_layout.h"
#include "core/shell/main_window_model.h"
#include "platform/platform.h"
#include "vexlo/app_state.h"
#include "vexlo/drawable_ids.h"
#include "vexlo/picture_files.h"
#include "winui/dialog_base.h"
#include "winui/dpi.h"
#include "winui/gdi_handles.h"
#include "winui/message_box.h"
#include "winui/text_controls.h"
#include "winui/tooltip.h"

namespace vexlo {
namespace {

using namespace drawable_ids;

constexpr int kRows[row_count] = {88, 112, 138, 162};  // dialog units

const assets::drawable_density& density(int row) {
    return assets::drawable_densities()[static_cast<std::size_t>(row)];
}

void focus(HWND dialog, int id) {
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE);
}

void warn(HWND dialog, const std::string& text) {
    winui::show_message(dialog, text, shell::kProgramCaption,
                        MB_OK | MB_ICONWARNING | MB_TASKMODAL);
}

void follow_check(HWND dialog, int row) {
    const bool ticked = IsDlgButtonChecked(dialog, first_check + row) == BST_CHECKED;
    winui::enable_item(dialog, first_size + row, ticked);
    winui::enable_item(dialog, first_label + row, ticked);
}

void create_controls(HWND dialog) {
    winui::create_control_du(
        dialog, WC_STATICW,
        "Enter the name of the new drawable, it will be resized and saved in PNG "
        "format:",
        SS_LEFT, 0, intro, 8, 8, 192, 33);
    winui::create_control_du(dialog, WC_EDITW, "newpic", WS_TABSTOP | ES_AUTOHSCROLL,
                             WS_EX_CLIENTEDGE, name, 8, 41, 192, 18);
    winui::create_control_du(dialog, WC_BUTTONW, "Target folders and sizes", BS_GROUPBOX, 0, group,
                             8, 64, 192, 128);
    for (int row = 0; row < row_count; ++row) {
        const assets::drawable_density& d = density(row);
        winui::create_control_du(dialog, WC_BUTTONW, d.folder, WS_TABSTOP | BS_AUTOCHECKBOX, 0,
                                 first_check + row, 14, kRows[row], 96, 16);
        winui::create_control_du(dialog, WC_EDITW, d.default_size,
                                 WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
                                 first_size + row, 110, kRows[row], 24, 16);
        winui::create_control_du(dialog, WC_STATICW, assets::size_label(d.default_size), SS_LEFT, 0,
                                 first_label + row, 142, kRows[row] + 2, 56, 16);
    }
    winui::create_control_du(dialog, WC_BUTTONW, "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, ok, 48,
                             200, 96, 24);
    winui::create_control_du(dialog, WC_BUTTONW, "Cancel", WS_TABSTOP | BS_PUSHBUTTON, 0, cancel,
                             152, 200, 48, 24);
    winui::create_control_du(dialog, WC_STATICW, "", SS_BITMAP, 0, preview, 7, 194, 32, 34);
    SendMessageW(dialog, DM_SETDEFID, ok, 0);
}

void size_changed(HWND dialog, int row) {
    const std::string typed = winui::get_item_text(dialog, first_size + row);
    const std::string kept = assets::limited_size_text(typed);
    if (kept != typed) {
        winui::set_item_text(dialog, first_size + row, kept);  // notifies again with the cut text
        return;
    }
    winui::set_item_text(dialog, first_label + row, assets::size_label(typed));
}

class drawable_dialog : public winui::dialog_handler {
public:
    drawable_dialog(const assets::bgra_view& picture, const std::string& picture_path)
        : picture_path_(picture_path), source_(picture) {}

    // The name box, the first tab stop, gets the focus.
    void on_init(HWND dialog) override {
        create_controls(dialog);
        show_preview(dialog);
        for (int row = 0; row < row_count; ++row)
            winui::add_tooltip(GetDlgItem(dialog, first_check + row), density(row).tooltip);
        winui::set_item_text(dialog, name, assets::default_drawable_name(picture_path_));
        const std::string& project = app().project.project_folder;
        for (int row = 0; row < row_count; ++row) {
            const bool present =
                platform::is_directory(project + assets::kResFolder + density(row).folder);
            CheckDlgButton(dialog, first_check + row, present ? BST_CHECKED : BST_UNCHECKED);
            follow_check(dialog, row);
        }
    }

    bool on_command(HWND dialog, int id, int code) override {
        if (id >= first_size && id < first_size + row_count) {
            if (code == EN_CHANGE) size_changed(dialog, id - first_size);
            return true;
        }
        if (id >= first_check && id < first_check + row_count) {
            if (code == BN_CLICKED) follow_check(dialog, id - first_check);
            return true;
        }
        if (code != BN_CLICKED && code != 1) return false;
        if (id == ok || id == IDOK) {
            if (accept(dialog)) {
                outcome_.added = outcome_.written.completed();
                EndDialog(dialog, static_cast<INT_PTR>(winui::dialog_answer::ok));
            }
            return true;
        }
        if (id == cancel || id == IDCANCEL) {  // also Escape and the close box
            EndDialog(dialog, static_cast<INT_PTR>(winui::dialog_answer::cancel));
            return true;
        }
        return false;
    }

    bool on_message(HWND dialog, UINT message, WPARAM, LPARAM, INT_PTR&) override {
        if (message == WM_DESTROY) winui::remove_tooltips_of(dialog);
        return false;
    }

    drawable_outcome& outcome() { return outcome_; }

private:
    void show_preview(HWND dialog) {
        const int edge = winui::scale(32, winui::window_dpi(dialog));
        preview_ = blended_bitmap(source_.resampled(edge, edge), GetSysColor(COLOR_BTNFACE));
        SendMessageW(GetDlgItem(dialog, preview), STM_SETIMAGE, IMAGE_BITMAP,
                     reinterpret_cast<LPARAM>(preview_.get()));
    }

    bool accept(HWND dialog);

    std::string picture_path_;
    assets::resample_source source_;
    winui::unique_bitmap preview_;
    drawable_outcome outcome_;
};

// Writes the ticked densities up to the first size problem, all together; false (the dialog
// stays open) on a name or size problem, unless the writing itself failed.
bool drawable_dialog::accept(HWND dialog) {
    const std::string typed_name = winui::get_item_text(dialog, name);
    const assets::name_problem problem = assets::check_drawable_name(typed_name);
    if (problem != assets::name_problem::none) {
        focus(dialog, name);
        warn(dialog, assets::name_problem_message(problem));
        return false;
    }
    const std::string& project = app().project.project_folder;
    std::vector<assets::new_file> files;
    int size_problem = -1;
    for (int row = 0; row < row_count; ++row) {
        if (IsDlgButtonChecked(dialog, first_check + row) != BST_CHECKED) continue;
        const int size = assets::drawable_size(winui::get_item_text(dialog, first_size + row));
        if (size == 0) {
            size_problem = row;
            break;
        }
        files.push_back({assets::drawable_file(project, density(row).folder, typed_name),
                         encode_png(source_.resampled(size, size))});
        if (files.back().bytes.empty()) {  // an empty PNG file would break the build
            winui::show_message(dialog, assets::unloadable_picture_message(),
                                shell::kProgramCaption, MB_OK | MB_ICONERROR | MB_TASKMODAL);
            return false;
        }
    }
    outcome_.written = assets::write_project_files(project, files);
    if (!outcome_.written.completed()) return true;  // the owner says what happened
    if (size_problem >= 0) {
        focus(dialog, first_size + size_problem);
        warn(dialog, assets::size_problem_message(density(size_problem).folder));
        return false;
    }
    return true;
}

}  // namespace

drawable_outcome run_drawable_dialog(HWND owner, const assets::bgra_view& picture,
                                     const std::string& picture_path) {
    drawable_dialog handler(picture, picture_path);
    winui::dialog_outline outline;
    outline.caption = "res/drawable image";
    outline.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    outline.width = 208;
    outline.height = 230;
    if (winui::run_dialog(owner, outline, handler) !=
        static_cast<INT_PTR>(winui::dialog_answer::ok))
        handler.outcome().added = false;
    return handler.outcome();
}

}  // namespace vexlo
