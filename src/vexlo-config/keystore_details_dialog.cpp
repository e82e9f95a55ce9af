#include "vexlo-config/keystore_details_dialog.h"

#include <commctrl.h>

#include "vexlo-config/configurator_app.h"
#include "winui/dialog_template.h"
#include "winui/message_box.h"
#include "winui/text_controls.h"
#include "winui/window_icon.h"

using configurator::owner_details;

namespace {

constexpr const char* kTitle = "Keystore details";

struct field {
    const char* label;
    int label_top, label_width;
    int id;
    int box_left, box_top, box_width;
    std::string owner_details::*value;
};

const field kFields[] = {
    {"Your full name :", 11, 120, id_details_full_name, 128, 7, 127, &owner_details::full_name},
    {"Your organization name :", 32, 120, id_details_organisation_name, 128, 28, 127,
     &owner_details::organisation_name},
    {"Your organization unit :", 53, 118, id_details_organisation_unit, 128, 49, 125,
     &owner_details::organisation_unit},
    {"Your city / locality :", 74, 118, id_details_city, 128, 70, 125, &owner_details::city},
    {"Your state / province :", 96, 118, id_details_state, 128, 92, 125, &owner_details::state},
    {"Your 2-letter country code :", 117, 158, id_details_country, 198, 113, 55,
     &owner_details::country_code},
};

void initialise(HWND dialog, LPARAM parameter) {
    SetWindowLongPtrW(dialog, DWLP_USER, parameter);
    set_client_size(dialog, 264, 176);
    set_program_icons(dialog);
    const owner_details samples = configurator::sample_owner_details();
    int label_id = 1001;
    for (const field& f : kFields) {
        create_control(dialog, WC_STATICW, f.label, SS_LEFTNOWORDWRAP, 0, label_id++, 8, f.label_top,
                       f.label_width, 16);
        create_control(dialog, WC_EDITW, samples.*f.value, WS_TABSTOP | ES_AUTOHSCROLL,
                       WS_EX_CLIENTEDGE, f.id, f.box_left, f.box_top, f.box_width, 18);
    }
    create_control(dialog, WC_BUTTONW, "Cancel", WS_TABSTOP | BS_PUSHBUTTON, 0, IDCANCEL, 72, 144,
                   72, 24);
    create_control(dialog, WC_BUTTONW, "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, IDOK, 176, 144, 72,
                   24);
    center_window(dialog, GetWindow(dialog, GW_OWNER));
    SetFocus(GetDlgItem(dialog, id_details_full_name));
}

void confirm(HWND dialog) {
    auto* stored = reinterpret_cast<owner_details*>(GetWindowLongPtrW(dialog, DWLP_USER));
    owner_details typed;
    for (const field& f : kFields) typed.*f.value = get_item_text(dialog, f.id);
    const owner_details merged = configurator::merge_owner_details(*stored, typed);
    const std::string problem = configurator::owner_details_problem(merged);
    if (!problem.empty()) {
        show_message(dialog, problem, kTitle, MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL);
        return;
    }
    *stored = merged;
    EndDialog(dialog, 1);
}

INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_INITDIALOG: initialise(dialog, lparam); return FALSE;  // focus set
        case WM_COMMAND:
            if (LOWORD(wparam) == IDOK) confirm(dialog);
            if (LOWORD(wparam) == IDCANCEL) EndDialog(dialog, 0);
            return TRUE;
        case WM_CLOSE: EndDialog(dialog, 0); return TRUE;
        default: return FALSE;
    }
}

}  // namespace

int keystore_details_dialog(HWND owner, owner_details& details) {
    dialog_template_spec spec;
    spec.caption = kTitle;
    spec.width = 176;  // replaced by the exact client size at initialisation
    spec.height = 118;
    return static_cast<int>(
        run_modal_dialog(owner, spec, procedure, reinterpret_cast<LPARAM>(&details)));
}
