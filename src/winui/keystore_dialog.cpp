#include "winui/keystore_dialog.h"

#include <commctrl.h>

#include "core/build/compile_identity.h"
#include "winui/dialog_base.h"
#include "winui/dialog_font.h"
#include "winui/gdi_handles.h"
#include "winui/keystore_ids.h"
#include "winui/message_box.h"
#include "winui/text_controls.h"

namespace winui {
namespace {

using namespace keystore_ids;

constexpr const char* kTitle = "Keystore";

class keystore_dialog_handler : public dialog_handler {
public:
    keystore_dialog_handler(keystore_request request, std::string& alias, std::string& password)
        : request_(request), alias_(alias), password_(password) {}

    void on_init(HWND dialog) override {
        const DWORD edit = WS_TABSTOP | ES_AUTOHSCROLL;
        create_control_du(dialog, WC_STATICW,
                          build::keystore_prompt(request_ == keystore_request::first ? 0 : 1),
                          SS_LEFT, 0, prompt, 8, 4, 229, 32);
        create_control_du(dialog, WC_STATICW, "Alias:", SS_LEFT, 0, alias_label, 8, 39, 60, 16);
        create_control_du(dialog, WC_EDITW, alias_, edit, WS_EX_CLIENTEDGE, alias, 72, 37, 160, 20);
        create_control_du(dialog, WC_STATICW, "Password:", SS_LEFT, 0, password_label, 8, 61, 60,
                          16);
        create_control_du(dialog, WC_EDITW, password_, edit | ES_PASSWORD, WS_EX_CLIENTEDGE,
                          password, 72, 59, 160, 20);
        create_control_du(dialog, WC_STATICW, "Confirm:", SS_LEFT, 0, confirm_label, 8, 83, 60, 16);
        create_control_du(dialog, WC_EDITW, password_, edit | ES_PASSWORD, WS_EX_CLIENTEDGE,
                          confirm, 72, 81, 160, 20);
        create_control_du(dialog, WC_BUTTONW, "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, IDOK, 8, 105,
                          168, 20);
        create_control_du(dialog, WC_BUTTONW, "Cancel", WS_TABSTOP | BS_PUSHBUTTON, 0, IDCANCEL,
                          182, 105, 50, 20);
        prompt_font_ = dialog_font(dialog, 8, FW_BOLD, L"Arial");
        SendMessageW(GetDlgItem(dialog, prompt), WM_SETFONT,
                     reinterpret_cast<WPARAM>(prompt_font_.get()), FALSE);
    }

    int initial_focus() const override { return alias; }

    bool on_command(HWND dialog, int id, int) override {
        if (id == IDOK) {
            confirm_values(dialog);
            return true;
        }
        if (id == IDCANCEL) {
            EndDialog(dialog, 0);
            return true;
        }
        return false;
    }

    bool on_message(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam,
                    INT_PTR& result) override {
        if (message == WM_CLOSE) {
            EndDialog(dialog, 0);
            result = TRUE;
            return true;
        }
        if (message != WM_CTLCOLORSTATIC || GetDlgCtrlID(reinterpret_cast<HWND>(lparam)) != prompt)
            return false;
        HDC dc = reinterpret_cast<HDC>(wparam);
        SetTextColor(dc, request_ == keystore_request::first ? RGB(0, 0, 139) : RGB(255, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        result = reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
        return true;
    }

    bool confirmed() const { return confirmed_; }

private:
    void confirm_values(HWND dialog) {
        const std::string typed_alias = get_item_text(dialog, alias);
        const std::string typed_password = get_item_text(dialog, password);
        const build::entry_check check = build::check_keystore_entry(
            typed_alias, typed_password, get_item_text(dialog, confirm));
        switch (check.verdict) {
            case build::entry_verdict::empty:
                SetFocus(GetDlgItem(dialog, password));
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
        alias_ = typed_alias;
        password_ = typed_password;
        confirmed_ = true;
        EndDialog(dialog, 1);
    }

    keystore_request request_;
    std::string& alias_;
    std::string& password_;
    unique_font prompt_font_;
    bool confirmed_ = false;
};

}  // namespace

bool keystore_dialog(HWND owner, keystore_request request, std::string& alias,
                     std::string& password) {
    keystore_dialog_handler handler(request, alias, password);
    dialog_outline outline;
    outline.caption = kTitle;
    outline.width = 237;
    outline.height = 130;
    run_dialog(owner, outline, handler);
    return handler.confirmed();
}

}  // namespace winui
