#include "vexlo-config/keystore_details_dialog.h"

#include <commctrl.h>

#include "vexlo-config/keystore_details_ids.h"
#include "winui/dialog_base.h"
#include "winui/message_box.h"
#include "winui/text_controls.h"
#include "winui/window_icon.h"

using configurator::owner_details;

namespace vexlo_config {
namespace {

using namespace keystore_details_ids;

constexpr const char* kTitle = "Keystore details";

struct field {
    const char* label;
    int label_top, label_width;
    int id;
    int box_left, box_top, box_width;
    std::string owner_details::*value;
};

const field kFields[] = {
    {"Your full name :", 11, 120, full_name, 128, 7, 127, &owner_details::full_name},
    {"Your organization name :", 32, 120, organisation_name, 128, 28, 127,
     &owner_details::organisation_name},
    {"Your organization unit :", 53, 118, organisation_unit, 128, 49, 125,
     &owner_details::organisation_unit},
    {"Your city / locality :", 74, 118, city, 128, 70, 125, &owner_details::city},
    {"Your state / province :", 96, 118, state, 128, 92, 125, &owner_details::state},
    {"Your 2-letter country code :", 117, 158, country, 198, 113, 55, &owner_details::country_code},
};

class details_dialog : public winui::dialog_handler {
public:
    explicit details_dialog(owner_details& details) : details_(details) {}

    void on_init(HWND dialog) override {
        winui::set_client_size(dialog, 264, 176);
        winui::set_program_icons(dialog);
        const owner_details samples = configurator::sample_owner_details();
        int label_id = first_label;
        for (const field& f : kFields) {
            winui::create_control(dialog, WC_STATICW, f.label, SS_LEFTNOWORDWRAP, 0, label_id++, 8,
                                  f.label_top, f.label_width, 16);
            winui::create_control(dialog, WC_EDITW, samples.*f.value, WS_TABSTOP | ES_AUTOHSCROLL,
                                  WS_EX_CLIENTEDGE, f.id, f.box_left, f.box_top, f.box_width, 18);
        }
        winui::create_control(dialog, WC_BUTTONW, "Cancel", WS_TABSTOP | BS_PUSHBUTTON, 0, IDCANCEL,
                              72, 144, 72, 24);
        winui::create_control(dialog, WC_BUTTONW, "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, IDOK, 176,
                              144, 72, 24);
    }

    int initial_focus() const override { return full_name; }

    bool on_command(HWND dialog, int id, int) override {
        if (id == IDOK) confirm(dialog);
        if (id == IDCANCEL) EndDialog(dialog, 0);
        return true;
    }

    bool on_message(HWND dialog, UINT message, WPARAM, LPARAM, INT_PTR& result) override {
        if (message != WM_CLOSE) return false;
        EndDialog(dialog, 0);
        result = TRUE;
        return true;
    }

    bool confirmed() const { return confirmed_; }

private:
    void confirm(HWND dialog) {
        owner_details typed;
        for (const field& f : kFields) typed.*f.value = winui::get_item_text(dialog, f.id);
        const owner_details merged = configurator::merge_owner_details(details_, typed);
        const std::string problem = configurator::owner_details_problem(merged);
        if (!problem.empty()) {
            winui::show_message(dialog, problem, kTitle, MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL);
            return;
        }
        details_ = merged;
        confirmed_ = true;
        EndDialog(dialog, 1);
    }

    owner_details& details_;
    bool confirmed_ = false;
};

}  // namespace

bool keystore_details_dialog(HWND owner, owner_details& details) {
    details_dialog handler(details);
    winui::dialog_outline outline;
    outline.caption = kTitle;
    outline.width = 176;  // replaced by the exact client size at initialisation
    outline.height = 118;
    winui::run_dialog(owner, outline, handler);
    return handler.confirmed();
}

}  // namespace vexlo_config
