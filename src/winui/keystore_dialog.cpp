#include "winui/dialog_font.h"
#include "winui/keystore_dialog.h"

#include <commctrl.h>

#include "core/build/compile_identity.h"
#include "winui/dialog_template.h"
#include "winui/dpi.h"
#include "winui/gdi_handles.h"
#include "winui/message_box.h"
#include "winui/text_controls.h"
#include "winui/window_icon.h"

namespace {

constexpr const char* kTitle = "Keystore";

struct keystore_dialog_state {
    int mode;
    std::string* alias;
    std::string* password;
    unique_font prompt_font;
};

void initialise(HWND dialog, keystore_dialog_state& state) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
    set_caption_icon(dialog);
    const DWORD edit = WS_TABSTOP | ES_AUTOHSCROLL;
    create_control_du(dialog, WC_STATICW, build::keystore_prompt(state.mode), SS_LEFT, 0,
                      id_keystore_prompt, 8, 4, 229, 32);
    create_control_du(dialog, WC_STATICW, "Alias:", SS_LEFT, 0, 1001, 8, 39, 60, 16);
    create_control_du(dialog, WC_EDITW, *state.alias, edit, WS_EX_CLIENTEDGE, id_keystore_alias, 72,
                      37, 160, 20);
    create_control_du(dialog, WC_STATICW, "Password:", SS_LEFT, 0, 1002, 8, 61, 60, 16);
    create_control_du(dialog, WC_EDITW, *state.password, edit | ES_PASSWORD, WS_EX_CLIENTEDGE,
                      id_keystore_password, 72, 59, 160, 20);
    create_control_du(dialog, WC_STATICW, "Confirm:", SS_LEFT, 0, 1003, 8, 83, 60, 16);
    create_control_du(dialog, WC_EDITW, *state.password, edit | ES_PASSWORD, WS_EX_CLIENTEDGE,
                      id_keystore_confirm, 72, 81, 160, 20);
    create_control_du(dialog, WC_BUTTONW, "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, IDOK, 8, 105, 168,
                      20);
    create_control_du(dialog, WC_BUTTONW, "Cancel", WS_TABSTOP | BS_PUSHBUTTON, 0, IDCANCEL, 182,
                      105, 50, 20);
    state.prompt_font = dialog_font(dialog, 8, FW_BOLD, L"Arial");
    SendMessageW(GetDlgItem(dialog, id_keystore_prompt), WM_SETFONT,
                 reinterpret_cast<WPARAM>(state.prompt_font.get()), FALSE);
    center_window(dialog, GetWindow(dialog, GW_OWNER));
    SetFocus(GetDlgItem(dialog, id_keystore_alias));
}

void confirm(HWND dialog, keystore_dialog_state& state) {
    const std::string alias = get_item_text(dialog, id_keystore_alias);
    const std::string password = get_item_text(dialog, id_keystore_password);
    const build::entry_check check =
        build::check_keystore_entry(alias, password, get_item_text(dialog, id_keystore_confirm));
    switch (check.verdict) {
        case build::entry_verdict::empty:
            SetFocus(GetDlgItem(dialog, id_keystore_password));
            show_message(dialog, check.message, kTitle, MB_OK | MB_ICONEXCLAMATION);
            return;
        case build::entry_verdict::mismatch:
            show_message(dialog, check.message, kTitle, MB_OK | MB_ICONERROR);
            return;
        case build::entry_verdict::unsafe:
            show_message(dialog, check.message, kTitle, MB_OK | MB_ICONEXCLAMATION);
            return;
        case build::entry_verdict::accepted: break;
    }
    *state.alias = alias;
    *state.password = password;
    EndDialog(dialog, 1);
}

INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* state = reinterpret_cast<keystore_dialog_state*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            initialise(dialog, *reinterpret_cast<keystore_dialog_state*>(lparam));
            return FALSE;  // the focus is set
        case WM_CTLCOLORSTATIC:
            if (state && GetDlgCtrlID(reinterpret_cast<HWND>(lparam)) == id_keystore_prompt) {
                HDC dc = reinterpret_cast<HDC>(wparam);
                SetTextColor(dc, state->mode == 0 ? RGB(0, 0, 139) : RGB(255, 0, 0));
                SetBkMode(dc, TRANSPARENT);
                return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
            }
            return FALSE;
        case WM_COMMAND:
            if (!state) return FALSE;
            if (LOWORD(wparam) == IDOK) {
                confirm(dialog, *state);
                return TRUE;
            }
            if (LOWORD(wparam) == IDCANCEL) {
                EndDialog(dialog, 0);
                return TRUE;
            }
            return FALSE;
        case WM_CLOSE: EndDialog(dialog, 0); return TRUE;
        default: return FALSE;
    }
}

}  // namespace

int keystore_dialog(HWND owner, int mode, std::string& alias, std::string& password) {
    keystore_dialog_state state{mode, &alias, &password, unique_font()};
    dialog_template_spec spec;
    spec.caption = kTitle;
    spec.width = 237;
    spec.height = 130;
    return static_cast<int>(
        run_modal_dialog(owner, spec, procedure, reinterpret_cast<LPARAM>(&state)));
}
