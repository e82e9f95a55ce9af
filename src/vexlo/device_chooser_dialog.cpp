#include "vexlo/device_chooser_dialog.h"

#include "core/shell/main_window_model.h"
#include "platform/win32/utf16.h"
#include "vexlo/device_chooser_ids.h"
#include "winui/dialog_base.h"

namespace vexlo {

namespace {

class device_chooser : public winui::dialog_handler {
public:
    device_chooser(const std::string& text, const std::vector<std::string>& lines)
        : text_(text), lines_(lines) {}

    void on_init(HWND dialog) override {
        winui::create_control_du(dialog, L"STATIC", text_, SS_LEFT | SS_NOPREFIX, 0,
                                 id_chooser_text, 7, 7, 196, 10);
        HWND list = winui::create_control_du(
            dialog, L"LISTBOX", "", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
            WS_EX_CLIENTEDGE, id_chooser_list, 7, 20, 196, 46);
        for (const std::string& line : lines_)
            SendMessageW(list, LB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(platform::widen(line).c_str()));
        SendMessageW(list, LB_SETCURSEL, 0, 0);
        winui::create_control_du(dialog, L"BUTTON", "Install", WS_TABSTOP | BS_DEFPUSHBUTTON, 0,
                                 IDOK, 99, 72, 50, 14);
        winui::create_control_du(dialog, L"BUTTON", "Cancel", WS_TABSTOP | BS_PUSHBUTTON, 0,
                                 IDCANCEL, 153, 72, 50, 14);
    }

    bool on_command(HWND dialog, int id, int code) override {
        if (id == IDOK || (id == id_chooser_list && code == LBN_DBLCLK)) {
            const LRESULT chosen = SendDlgItemMessageW(dialog, id_chooser_list, LB_GETCURSEL, 0, 0);
            EndDialog(dialog, chosen == LB_ERR ? -1 : chosen);
            return true;
        }
        if (id != IDCANCEL) return false;
        EndDialog(dialog, -1);
        return true;
    }

    bool on_message(HWND dialog, UINT message, WPARAM, LPARAM, INT_PTR&) override {
        if (message != WM_CLOSE) return false;
        EndDialog(dialog, -1);
        return true;
    }

private:
    const std::string& text_;
    const std::vector<std::string>& lines_;
};

}  // namespace

int choose_device(HWND owner, const std::string& text, const std::vector<std::string>& lines) {
    device_chooser handler(text, lines);
    winui::dialog_outline outline;
    outline.caption = shell::kProgramCaption;
    outline.width = 210;
    outline.height = 93;
    const INT_PTR chosen = winui::run_dialog(owner, outline, handler);
    return chosen >= 0 && chosen < static_cast<INT_PTR>(lines.size()) ? static_cast<int>(chosen)
                                                                      : -1;
}

}  // namespace vexlo
