#include "vexlo-config/api_chooser_dialog.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "core/build/command_runner_text.h"
#include "core/configurator/api_chooser.h"
#include "platform/win32/utf16.h"
#include "vexlo-config/configurator_app.h"
#include "winui/dialog_font.h"
#include "winui/command_runner.h"
#include "winui/dialog_template.h"
#include "winui/dpi.h"
#include "winui/gdi_handles.h"
#include "winui/message_box.h"
#include "winui/pictures.h"
#include "winui/text_controls.h"
#include "winui/window_icon.h"

using configurator::chooser_mode;

namespace {

constexpr UINT_PTR kManagerTimer = 1;

struct chooser {
    chooser_mode mode = chooser_mode::not_configured;
    bool writable = false;
    COLORREF headline_colour = RGB(0, 0, 139);
    unique_font bold;
};

// Whether the SDK folder can be written to: the runner's batch file must fit in it.
bool sdk_folder_writable() {
    const std::string& sdk = app().config.android_sdk_path;
    if (sdk.empty()) return false;
    busy_scope busy;
    return run_command(app().config, "DIR /B", sdk, 0, build::runner_variant::configurator) !=
           build::kResultErrorWriting;
}

HWND add(HWND dialog, const wchar_t* cls, const std::string& text, DWORD style, DWORD ex_style,
         int id, int x, int y, int w, int h, const unique_font* font) {
    HWND control = create_control(dialog, cls, text, style, ex_style, id, x, y, w, h);
    if (font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font->get()), FALSE);
    return control;
}

void add_target_list(HWND dialog, chooser& state, int top) {
    // The height includes the dropped list.
    HWND list = add(dialog, WC_COMBOBOXW, "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0,
                    id_chooser_list, 14, top, 192, 160, &state.bold);
    for (const configurator::api_target& t : app().targets)
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(t.description).c_str()));
}

void add_manager_picture(HWND dialog) {
    HWND picture = create_control(dialog, WC_STATICW, "", SS_BITMAP | SS_NOTIFY, WS_EX_CLIENTEDGE,
                                  id_chooser_manager, 105, 105, 90, 90);
    const UINT dpi = window_dpi(dialog);
    SetWindowPos(picture, nullptr, 0, 0, scale(90, dpi), scale(90, dpi), SWP_NOMOVE | SWP_NOZORDER);
    draw_resource_png_fitted(dialog, id_chooser_manager, "ASDK");
}

int index_of_id(int id) {
    const auto& targets = app().targets;
    for (std::size_t i = 0; i < targets.size(); ++i)
        if (targets[i].id == id) return static_cast<int>(i);
    return -1;
}

int selected(HWND dialog) {
    return static_cast<int>(SendDlgItemMessageW(dialog, id_chooser_list, CB_GETCURSEL, 0, 0));
}

void initialise(HWND dialog, chooser& state) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
    set_client_size(dialog, 300, 205);
    set_program_icons(dialog);
    state.bold = dialog_font(dialog, 8, FW_BOLD, L"Arial");
    add(dialog, WC_STATICW, configurator::chooser_headline(state.mode, state.writable),
        SS_LEFT | SS_NOPREFIX, 0, id_chooser_text, 4, 8, 292, 90, &state.bold);
    switch (state.mode) {
        case chooser_mode::not_configured:
            state.headline_colour = RGB(0, 0, 139);
            add_manager_picture(dialog);
            break;
        case chooser_mode::choose: {
            state.headline_colour = RGB(255, 0, 0);
            add_target_list(dialog, state, 45);
            add(dialog, WC_BUTTONW, "Ok", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, id_chooser_ok, 230, 43,
                45, 24, nullptr);
            const UINT dpi = window_dpi(dialog);
            SetWindowPos(dialog, nullptr, 0, 0, scale(305, dpi), scale(105, dpi),
                         SWP_NOMOVE | SWP_NOZORDER);
            break;
        }
        case chooser_mode::chosen:
            state.headline_colour = RGB(0, 100, 0);
            add_target_list(dialog, state, 25);
            SendDlgItemMessageW(dialog, id_chooser_list, CB_SETCURSEL,
                                static_cast<WPARAM>(index_of_id(app().config.api_target_id)), 0);
            add(dialog, WC_BUTTONW, "Change API", BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED, 0,
                id_chooser_change, 215, 25, 75, 24, nullptr);
            add(dialog, WC_STATICW, configurator::chooser_second_text(state.writable),
                SS_LEFT | SS_NOPREFIX, 0, id_chooser_second_text, 4, 61, 292, 42, &state.bold);
            add_manager_picture(dialog);
            break;
    }
    center_window(dialog, GetWindow(dialog, GW_OWNER));
}

void open_sdk_manager(HWND dialog, const chooser& state) {
    const std::string& sdk = app().config.android_sdk_path;
    if (state.writable) {
        // The SDK manager shows its own window; the picture rests for a moment meanwhile.
        enable_item(dialog, id_chooser_manager, false);
        ShellExecuteW(nullptr, L"open", widen(sdk + "\\tools\\android").c_str(), nullptr, nullptr,
                      SW_HIDE);
        SetTimer(dialog, kManagerTimer, 4000, nullptr);
    } else {
        ShellExecuteW(nullptr, L"explore", widen(sdk + "\\tools").c_str(), nullptr, nullptr,
                      SW_SHOWNORMAL);
    }
}

void on_command(HWND dialog, chooser& state, int id, int code) {
    if (id == IDCANCEL) {
        EndDialog(dialog, 0);
        return;
    }
    if (state.mode == chooser_mode::choose && id == id_chooser_ok && code == BN_CLICKED) {
        app().config.api_target_id =
            configurator::id_after_ok(app().targets, selected(dialog), app().config.api_target_id);
        EndDialog(dialog, 1);
        return;
    }
    if (state.mode != chooser_mode::choose && id == id_chooser_manager && code == STN_CLICKED) {
        open_sdk_manager(dialog, state);
        return;
    }
    if (state.mode != chooser_mode::chosen) return;
    if (id == id_chooser_list && (code == CBN_SELCHANGE || code == CBN_SELENDOK) &&
        configurator::selection_differs(app().targets, selected(dialog),
                                        app().config.api_target_id))
        enable_item(dialog, id_chooser_change, true);
    if (id == id_chooser_change && code == BN_CLICKED) {
        const configurator::change_decision d =
            configurator::change_api(app().targets, selected(dialog), app().config.api_target_id);
        if (!d.accepted) {
            if (!d.warning.empty()) tell(nullptr, d.warning, MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        app().config.api_target_id = d.api_target_id;
        EndDialog(dialog, 1);
    }
}

INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* state = reinterpret_cast<chooser*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG: initialise(dialog, *reinterpret_cast<chooser*>(lparam)); return TRUE;
        case WM_COMMAND:
            if (state) on_command(dialog, *state, LOWORD(wparam), HIWORD(wparam));
            return TRUE;
        case WM_TIMER:
            if (wparam == kManagerTimer) {
                KillTimer(dialog, kManagerTimer);
                enable_item(dialog, id_chooser_manager, true);
            }
            return TRUE;
        case WM_CTLCOLORSTATIC: {
            const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lparam));
            if (!state || (id != id_chooser_text && id != id_chooser_second_text)) return FALSE;
            HDC dc = reinterpret_cast<HDC>(wparam);
            SetTextColor(dc, id == id_chooser_text ? state->headline_colour : RGB(0, 0, 139));
            SetBkMode(dc, TRANSPARENT);
            return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
        }
        case WM_CLOSE: EndDialog(dialog, 0); return TRUE;
        case WM_DESTROY: KillTimer(dialog, kManagerTimer); return FALSE;
        default: return FALSE;
    }
}

}  // namespace

void show_api_chooser(HWND owner) {
    chooser state;
    state.writable = sdk_folder_writable();
    state.mode = configurator::chooser_mode_for(app().targets, app().config.api_target_id);
    dialog_template_spec spec;
    spec.caption = "Android SDK";
    spec.width = 200;  // replaced by the exact client size at initialisation
    spec.height = 133;
    run_modal_dialog(owner, spec, procedure, reinterpret_cast<LPARAM>(&state));
}
