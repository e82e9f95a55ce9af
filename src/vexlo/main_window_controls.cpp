// The main window's controls, made from the layout table of the core.
#include "vexlo/main_window_controls.h"

#include <windows.h>
#include <commctrl.h>

#include <utility>

#include "core/shell/main_window_model.h"
#include "winui/dialog_template.h"

namespace vexlo {

using namespace shell;

void create_main_window_controls(HWND dialog) {
    for (const control_layout& c : main_window_layout()) {
        const wchar_t* cls = WC_BUTTONW;
        DWORD style = WS_TABSTOP;
        DWORD ex_style = 0;
        switch (c.kind) {
            case control_kind::button: style |= BS_PUSHBUTTON; break;
            case control_kind::multiline_button: style |= BS_PUSHBUTTON | BS_MULTILINE; break;
            case control_kind::edit:
                cls = WC_EDITW, style |= ES_AUTOHSCROLL, ex_style = WS_EX_CLIENTEDGE;
                break;
            case control_kind::digits_edit:
                cls = WC_EDITW, style |= ES_AUTOHSCROLL | ES_NUMBER, ex_style = WS_EX_CLIENTEDGE;
                break;
            case control_kind::label: cls = WC_STATICW, style = SS_LEFTNOWORDWRAP; break;
            case control_kind::sunken_label:
                // SS_NOTIFY: the label takes the mouse, so its tool-tip shows.
                cls = WC_STATICW, style = SS_CENTER | SS_SUNKEN | SS_CENTERIMAGE | SS_NOTIFY;
                break;
            case control_kind::notify_label:
                cls = WC_STATICW, style = SS_LEFTNOWORDWRAP | SS_NOTIFY;
                break;
            case control_kind::updown:
                cls = UPDOWN_CLASSW;
                style = UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_WRAP | UDS_NOTHOUSANDS;
                break;
            case control_kind::combo:
                cls = WC_COMBOBOXW, style |= CBS_DROPDOWNLIST | WS_VSCROLL;
                break;
            // Centred keeps the laid-out box: a bare SS_BITMAP shrinks to its picture.
            case control_kind::picture: cls = WC_STATICW, style = SS_BITMAP | SS_CENTERIMAGE; break;
            case control_kind::group: style = BS_GROUPBOX; break;
            case control_kind::hidden_digits: cls = WC_EDITW, style = ES_NUMBER; break;
        }
        if (!c.enabled_at_creation) style |= WS_DISABLED;
        HWND control =
            winui::create_control(dialog, cls, c.text, style, ex_style, c.id, c.x, c.y, c.w, c.h);
        // Tab and the mouse pass over a hidden window, so the box can never take typing.
        if (c.kind == control_kind::hidden_digits) ShowWindow(control, SW_HIDE);
    }
    // The up-down controls write their value into the hidden boxes, which the labels mirror.
    for (auto [updown, buddy] :
         {std::pair{id_min_updown, id_min_sdk}, std::pair{id_target_updown, id_target_sdk}}) {
        HWND control = GetDlgItem(dialog, updown);
        SendMessageW(control, UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(dialog, buddy)), 0);
        SendMessageW(control, UDM_SETRANGE32, 1, 99);
    }
}

}  // namespace vexlo
