// "App permissions": one check box per permission of the table.
#include "vexlo/permissions_dialog.h"

#include "core/project/permission_choice.h"
#include "core/project/permissions.h"
#include "vexlo/permissions_ids.h"
#include "winui/dialog_font.h"

namespace vexlo {

namespace {

using namespace permissions_ids;

class permissions_dialog : public winui::dialog_handler {
public:
    explicit permissions_dialog(project::permission_flags& choice) : choice_(choice) {}

    void on_init(HWND dialog) override {
        HWND select =
            winui::create_control_du(dialog, L"BUTTON", "Select all / none ...",
                                     BS_PUSHBUTTON | WS_TABSTOP, 0, select_all, 5, 5, 120, 12);
        title_font_ = winui::dialog_font(dialog, 7, FW_BOLD, L"Tahoma", {true});
        SendMessageW(select, WM_SETFONT, reinterpret_cast<WPARAM>(title_font_.get()), FALSE);
        for (int i = 0; i < project::kPermissionCount; ++i) {
            winui::create_control_du(dialog, L"BUTTON", project::permission_display_name(i),
                                     BS_AUTOCHECKBOX | WS_TABSTOP, 0, first_box + i, 5, 20 + 12 * i,
                                     120, 10);
            CheckDlgButton(dialog, first_box + i, choice_[i] ? BST_CHECKED : BST_UNCHECKED);
        }
        winui::create_control_du(dialog, L"BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, ok, 20,
                                 280, 40, 15);
        winui::create_control_du(dialog, L"BUTTON", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 0, cancel,
                                 70, 280, 40, 15);
    }

    bool on_command(HWND dialog, int id, int) override {
        switch (id) {
            case select_all: select_all_or_none(dialog); return true;
            case ok:
                for (int i = 0; i < project::kPermissionCount; ++i)
                    choice_[i] = IsDlgButtonChecked(dialog, first_box + i) == BST_CHECKED;
                EndDialog(dialog, static_cast<INT_PTR>(winui::dialog_answer::ok));
                return true;
            case cancel:
            case IDCANCEL:
                EndDialog(dialog, static_cast<INT_PTR>(winui::dialog_answer::cancel));
                return true;
            default: return false;
        }
    }

private:
    static void select_all_or_none(HWND dialog) {
        int checked = 0;
        for (int i = 0; i < project::kPermissionCount; ++i)
            checked += IsDlgButtonChecked(dialog, first_box + i) == BST_CHECKED;
        const UINT state = project::select_all_checks(checked) ? BST_CHECKED : BST_UNCHECKED;
        for (int i = 0; i < project::kPermissionCount; ++i)
            CheckDlgButton(dialog, first_box + i, state);
    }

    project::permission_flags& choice_;
    winui::unique_font title_font_;
};

}  // namespace

winui::dialog_answer run_permissions_dialog(HWND owner, project::permission_flags& choice) {
    permissions_dialog handler(choice);
    winui::dialog_outline outline;
    outline.caption = "App permissions";
    outline.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    outline.width = 130;
    outline.height = 300;
    return winui::run_dialog(owner, outline, handler) ==
                   static_cast<INT_PTR>(winui::dialog_answer::ok)
               ? winui::dialog_answer::ok
               : winui::dialog_answer::cancel;
}

}  // namespace vexlo
