// The main window: builds its controls, keeps their states and dispatches every command.
#include "vexlo/main_dialog.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include "core/shell/main_window_model.h"
#include "core/text/text_helpers.h"
#include "platform/platform.h"
#include "platform/win32/utf16.h"
#include "vexlo/app_state.h"
#include "vexlo/commands.h"
#include "vexlo/main_window_controls.h"
#include "vexlo/project_view.h"
#include "vexlo/recent_projects_view.h"
#include "winui/dialog_font.h"
#include "winui/dialog_base.h"
#include "winui/dpi.h"
#include "winui/gdi_handles.h"
#include "winui/message_box.h"
#include "winui/pictures.h"
#include "winui/text_controls.h"
#include "winui/tooltip.h"
#include "winui/window_icon.h"
#include "winui/window_position.h"

namespace vexlo {

using namespace shell;

namespace {

struct main_fonts {
    winui::unique_font bold;   // status line and the "[!]" marker
    winui::unique_font small;  // the Discard button
};
main_fonts g_fonts;

winui::unique_font make_font(const wchar_t* face, int points, int weight, UINT dpi) {
    return winui::dialog_font(dpi, points, weight, face);
}

void create_controls(HWND dialog) {
    create_main_window_controls(dialog);
    const UINT dpi = winui::window_dpi(dialog);
    g_fonts.bold = make_font(L"MS Sans Serif", 8, FW_BOLD, dpi);
    g_fonts.small = make_font(L"Arial", 7, FW_NORMAL, dpi);
    SendMessageW(GetDlgItem(dialog, id_status), WM_SETFONT,
                 reinterpret_cast<WPARAM>(g_fonts.bold.get()), FALSE);
    SendMessageW(GetDlgItem(dialog, id_warning), WM_SETFONT,
                 reinterpret_cast<WPARAM>(g_fonts.bold.get()), FALSE);
    SendMessageW(GetDlgItem(dialog, id_discard), WM_SETFONT,
                 reinterpret_cast<WPARAM>(g_fonts.small.get()), FALSE);
}

void initialise(HWND dialog) {
    winui::place_main_window(dialog, kClientWidth, kClientHeight);
    create_controls(dialog);
    winui::set_program_icons(dialog);
    show_display_state(dialog, start_state());
    fill_recent_projects(dialog, id_recent);
    winui::add_tooltip(
        GetDlgItem(dialog, id_warning),
        "Dangerous! Change the package name with caution as it may break your program "
        "or even prevent it from compiling!");
}

const std::string& stored_value_of(int id) {
    const project::project_state& p = app().project;
    switch (id) {
        case id_app_name: return p.app_name;
        case id_package: return p.package_name;
        case id_version_name: return p.version_name;
        case id_version_code: return p.version_code;
        case id_min_sdk: return p.min_sdk;
        default: return p.target_sdk;
    }
}

void on_property_edited(HWND dialog, int id) {
    const std::string typed = winui::get_item_text(dialog, id);
    if (id == id_min_sdk || id == id_target_sdk) {
        winui::set_item_text(dialog, id == id_min_sdk ? id_min_label : id_target_label,
                             text::trim_spaces(typed));
        show_sdk_advice(dialog);
    }
    if (starts_pending(app().project.changes_pending, typed, stored_value_of(id)))
        show_pending(dialog, true);
}

bool handle_command(HWND dialog, int id, int code) {
    const bool clicked = code == BN_CLICKED || code == 1;
    switch (id) {
        case id_recent:
            if (code == CBN_SELENDOK) choose_recent_project(dialog);
            return true;
        case id_caption:
            if (code == STN_DBLCLK) open_recent_projects_file();
            return true;
        case id_app_name:
        case id_package:
        case id_version_name:
        case id_version_code:
        case id_min_sdk:
        case id_target_sdk:
            if (code == EN_CHANGE) on_property_edited(dialog, id);
            return true;
        default: break;
    }
    if (!clicked) return false;
    switch (id) {
        case id_load: choose_project_folder(dialog); return true;
        case id_permissions: edit_permissions(dialog); return true;
        case id_discard: discard_changes(dialog); return true;
        case id_apply: apply_changes(dialog); return true;
        default: return run_project_command(dialog, id);
    }
}

INT_PTR colour_static(HWND control, HDC dc) {
    if (GetDlgCtrlID(control) != id_warning) return FALSE;
    SetTextColor(dc, RGB(255, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}

class main_dialog : public winui::dialog_handler {
public:
    void on_init(HWND dialog) override { initialise(dialog); }
    bool centred() const override { return false; }  // placed where it was
    bool on_command(HWND dialog, int id, int code) override {
        return handle_command(dialog, id, code);
    }
    bool on_message(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam,
                    INT_PTR& result) override {
        switch (message) {
            case WM_SYSCOMMAND: winui::save_window_position(dialog); return false;
            case WM_CTLCOLORSTATIC:
                result =
                    colour_static(reinterpret_cast<HWND>(lparam), reinterpret_cast<HDC>(wparam));
                return true;
            case WM_CLOSE:
                EndDialog(dialog, 0);
                result = TRUE;
                return true;
            default: return false;
        }
    }
};

}  // namespace

void run_main_dialog() {
    winui::dialog_outline outline;
    outline.caption = kWindowCaption;
    outline.style =
        WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME | DS_SETFONT;
    outline.width = 226;  // replaced by the exact client size at initialisation
    outline.height = 240;
    main_dialog handler;
    winui::run_dialog(nullptr, outline, handler);
    g_fonts.bold.reset();
    g_fonts.small.reset();
}

}  // namespace vexlo
