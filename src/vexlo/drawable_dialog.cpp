#include "vexlo/drawable_dialog.h"

#include <commctrl.h>

#include "core/assets/drawable_rules.h"
#include "core/assets/icon_plan.h"
#include "core/assets/project_layout.h"
#include "core/shell/main_window_model.h"
#include "platform/platform.h"
#include "vexlo/app_state.h"
#include "vexlo/picture_files.h"
#include "winui/dialog_template.h"
#include "winui/dpi.h"
#include "winui/gdi_handles.h"
#include "winui/message_box.h"
#include "winui/text_controls.h"
#include "winui/tooltip.h"
#include "winui/window_icon.h"

namespace {

enum drawable_control : int {
    id_group = 1016,
    id_intro = 1015,
    id_name = 1028,
    id_ok = 1018,
    id_cancel = 1019,
    id_preview = 1033,
    id_first_check = 1001,  // 1001-1004 check boxes
    id_first_label = 1007,  // 1007-1010 size labels
    id_first_size = 1011,   // 1011-1014 size boxes
};
constexpr int kRows[4] = {88, 112, 138, 162};  // dialog units

struct drawable_state {
    std::string picture_path;
    assets::resample_source source;
    unique_bitmap preview;
    drawable_outcome outcome;
};

drawable_state& state_of(HWND dialog) {
    return *reinterpret_cast<drawable_state*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

void focus(HWND dialog, int id) {
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE);
}

void warn(HWND dialog, const std::string& text) {
    show_message(dialog, text, shell::kProgramCaption, MB_OK | MB_ICONWARNING | MB_TASKMODAL);
}

void follow_check(HWND dialog, int row) {
    const bool ticked = IsDlgButtonChecked(dialog, id_first_check + row) == BST_CHECKED;
    enable_item(dialog, id_first_size + row, ticked);
    enable_item(dialog, id_first_label + row, ticked);
}

void create_controls(HWND dialog) {
    const auto& densities = assets::drawable_densities();
    create_control_du(dialog, WC_STATICW,
                      "Enter the name of the new drawable, it will be resized and saved in PNG "
                      "format:",
                      SS_LEFT, 0, id_intro, 8, 8, 192, 33);
    create_control_du(dialog, WC_EDITW, "newpic", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
                      id_name, 8, 41, 192, 18);
    create_control_du(dialog, WC_BUTTONW, "Target folders and sizes", BS_GROUPBOX, 0, id_group, 8,
                      64, 192, 128);
    for (int row = 0; row < 4; ++row) {
        const assets::drawable_density& d = densities[static_cast<std::size_t>(row)];
        create_control_du(dialog, WC_BUTTONW, d.folder, WS_TABSTOP | BS_AUTOCHECKBOX, 0,
                          id_first_check + row, 14, kRows[row], 96, 16);
        create_control_du(dialog, WC_EDITW, d.default_size, WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL,
                          WS_EX_CLIENTEDGE, id_first_size + row, 110, kRows[row], 24, 16);
        create_control_du(dialog, WC_STATICW, assets::size_label(d.default_size), SS_LEFT, 0,
                          id_first_label + row, 142, kRows[row] + 2, 56, 16);
    }
    create_control_du(dialog, WC_BUTTONW, "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, id_ok, 48, 200,
                      96, 24);
    create_control_du(dialog, WC_BUTTONW, "Cancel", WS_TABSTOP | BS_PUSHBUTTON, 0, id_cancel, 152,
                      200, 48, 24);
    create_control_du(dialog, WC_STATICW, "", SS_BITMAP, 0, id_preview, 7, 194, 32, 34);
    SendMessageW(dialog, DM_SETDEFID, id_ok, 0);
}

void show_preview(HWND dialog, drawable_state& state) {
    const int edge = scale(32, window_dpi(dialog));
    state.preview = blended_bitmap(state.source.resampled(edge, edge), GetSysColor(COLOR_BTNFACE));
    SendMessageW(GetDlgItem(dialog, id_preview), STM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(state.preview.get()));
}

void initialise(HWND dialog, drawable_state& state) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
    create_controls(dialog);
    set_caption_icon(dialog);
    center_window(dialog, GetWindow(dialog, GW_OWNER));
    show_preview(dialog, state);
    const auto& densities = assets::drawable_densities();
    for (int row = 0; row < 4; ++row)
        add_tooltip(GetDlgItem(dialog, id_first_check + row),
                    densities[static_cast<std::size_t>(row)].tooltip);
    set_item_text(dialog, id_name, assets::default_drawable_name(state.picture_path));
    const std::string& project = app().project.project_folder;
    for (int row = 0; row < 4; ++row) {
        const bool present = platform::is_directory(
            project + assets::kResFolder + densities[static_cast<std::size_t>(row)].folder);
        CheckDlgButton(dialog, id_first_check + row, present ? BST_CHECKED : BST_UNCHECKED);
        follow_check(dialog, row);
    }
}

void size_changed(HWND dialog, int row) {
    const std::string typed = get_item_text(dialog, id_first_size + row);
    const std::string kept = assets::limited_size_text(typed);
    if (kept != typed) {
        set_item_text(dialog, id_first_size + row, kept);  // notifies again with the cut text
        return;
    }
    set_item_text(dialog, id_first_label + row, assets::size_label(typed));
}

// Writes the ticked densities up to the first size problem, all together; false (the dialog
// stays open) on a name or size problem, unless the writing itself failed.
bool accept(HWND dialog, drawable_state& state) {
    const std::string name = get_item_text(dialog, id_name);
    const assets::name_problem problem = assets::check_drawable_name(name);
    if (problem != assets::name_problem::none) {
        focus(dialog, id_name);
        warn(dialog, assets::name_problem_message(problem));
        return false;
    }
    const std::string& project = app().project.project_folder;
    const auto& densities = assets::drawable_densities();
    std::vector<assets::new_file> files;
    int size_problem = -1;
    for (int row = 0; row < 4; ++row) {
        if (IsDlgButtonChecked(dialog, id_first_check + row) != BST_CHECKED) continue;
        const char* folder = densities[static_cast<std::size_t>(row)].folder;
        const int size = assets::drawable_size(get_item_text(dialog, id_first_size + row));
        if (size == 0) {
            size_problem = row;
            break;
        }
        files.push_back({assets::drawable_file(project, folder, name),
                         encode_png(state.source.resampled(size, size))});
        if (files.back().bytes.empty()) {  // an empty PNG file would break the build
            show_message(dialog, assets::unloadable_picture_message(), shell::kProgramCaption,
                         MB_OK | MB_ICONERROR | MB_TASKMODAL);
            return false;
        }
    }
    state.outcome.written = assets::write_project_files(project, files);
    if (!state.outcome.written.completed()) return true;  // the owner says what happened
    if (size_problem >= 0) {
        focus(dialog, id_first_size + size_problem);
        warn(dialog, assets::size_problem_message(
                         densities[static_cast<std::size_t>(size_problem)].folder));
        return false;
    }
    return true;
}

INT_PTR CALLBACK drawable_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_INITDIALOG:
            initialise(dialog, *reinterpret_cast<drawable_state*>(lparam));
            return TRUE;  // the name box, the first tab stop, gets the focus
        case WM_COMMAND: {
            const int id = LOWORD(wparam);
            const int code = HIWORD(wparam);
            if (id >= id_first_size && id < id_first_size + 4) {
                if (code == EN_CHANGE) size_changed(dialog, id - id_first_size);
                return TRUE;
            }
            if (id >= id_first_check && id < id_first_check + 4) {
                if (code == BN_CLICKED) follow_check(dialog, id - id_first_check);
                return TRUE;
            }
            if (code != BN_CLICKED && code != 1) return FALSE;
            if (id == id_ok || id == IDOK) {
                drawable_state& state = state_of(dialog);
                if (accept(dialog, state)) {
                    state.outcome.added = state.outcome.written.completed();
                    EndDialog(dialog, 1);
                }
                return TRUE;
            }
            if (id == id_cancel || id == IDCANCEL) {  // also Escape and the close box
                EndDialog(dialog, 0);
                return TRUE;
            }
            return FALSE;
        }
        case WM_DESTROY:
            remove_tooltips_of(dialog);
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

drawable_outcome run_drawable_dialog(HWND owner, const assets::bgra_view& picture,
                                     const std::string& picture_path) {
    drawable_state state{picture_path, assets::resample_source(picture), unique_bitmap(),
                         drawable_outcome()};
    dialog_template_spec spec;
    spec.caption = "res/drawable image";
    spec.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    spec.width = 208;
    spec.height = 230;
    if (run_modal_dialog(owner, spec, drawable_procedure, reinterpret_cast<LPARAM>(&state)) != 1)
        state.outcome.added = false;
    return state.outcome;
}
