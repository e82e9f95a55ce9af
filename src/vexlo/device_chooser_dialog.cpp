#include "vexlo/device_chooser_dialog.h"

#include "core/shell/main_window_model.h"
#include "platform/win32/utf16.h"
#include "winui/dialog_template.h"
#include "winui/message_box.h"
#include "winui/window_icon.h"

namespace {

struct chooser_state {
    const std::string* text;
    const std::vector<std::string>* lines;
};

void initialise(HWND dialog, const chooser_state& state) {
    set_caption_icon(dialog);
    create_control_du(dialog, L"STATIC", *state.text, SS_LEFT | SS_NOPREFIX, 0, id_chooser_text, 7,
                      7, 196, 10);
    HWND list = create_control_du(dialog, L"LISTBOX", "",
                                  WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                                  WS_EX_CLIENTEDGE, id_chooser_list, 7, 20, 196, 46);
    for (const std::string& line : *state.lines)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(line).c_str()));
    SendMessageW(list, LB_SETCURSEL, 0, 0);
    create_control_du(dialog, L"BUTTON", "Install", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, IDOK, 99, 72,
                      50, 14);
    create_control_du(dialog, L"BUTTON", "Cancel", WS_TABSTOP | BS_PUSHBUTTON, 0, IDCANCEL, 153, 72,
                      50, 14);
    center_window(dialog, GetWindow(dialog, GW_OWNER));
    SetFocus(list);
}

INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_INITDIALOG:
            initialise(dialog, *reinterpret_cast<const chooser_state*>(lparam));
            return FALSE;  // the focus is set
        case WM_COMMAND: {
            const int id = LOWORD(wparam);
            const bool double_click = id == id_chooser_list && HIWORD(wparam) == LBN_DBLCLK;
            if (id == IDOK || double_click) {
                const LRESULT chosen =
                    SendDlgItemMessageW(dialog, id_chooser_list, LB_GETCURSEL, 0, 0);
                EndDialog(dialog, chosen == LB_ERR ? -1 : chosen);
                return TRUE;
            }
            if (id == IDCANCEL) {
                EndDialog(dialog, -1);
                return TRUE;
            }
            return FALSE;
        }
        case WM_CLOSE: EndDialog(dialog, -1); return TRUE;
        default: return FALSE;
    }
}

}  // namespace

int choose_device(HWND owner, const std::string& text, const std::vector<std::string>& lines) {
    chooser_state state{&text, &lines};
    dialog_template_spec spec;
    spec.caption = shell::kProgramCaption;
    spec.width = 210;
    spec.height = 93;
    const INT_PTR chosen =
        run_modal_dialog(owner, spec, procedure, reinterpret_cast<LPARAM>(&state));
    return chosen >= 0 && chosen < static_cast<INT_PTR>(lines.size()) ? static_cast<int>(chosen)
                                                                      : -1;
}
