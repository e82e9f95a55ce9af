#include "vexlo-config/api_chooser_dialog.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "core/build/command_runner_text.h"
#include "core/configurator/api_chooser.h"
#include "platform/win32/utf16.h"
#include "vexlo-config/api_chooser_ids.h"
#include "vexlo-config/configurator_app.h"
#include "winui/command_runner.h"
#include "winui/dialog_base.h"
#include "winui/dialog_font.h"
#include "winui/dpi.h"
#include "winui/gdi_handles.h"
#include "winui/message_box.h"
#include "winui/pictures.h"
#include "winui/text_controls.h"
#include "winui/window_icon.h"

using configurator::chooser_mode;

namespace vexlo_config {
namespace {

using namespace api_chooser_ids;

constexpr UINT_PTR kManagerTimer = 1;

// Whether the SDK folder can be written to: the runner's batch file must fit in it.
bool sdk_folder_writable() {
    const std::string& sdk = app().config.android_sdk_path;
    if (sdk.empty()) return false;
    busy_scope busy;
    return winui::run_command(app().config, "DIR /B", sdk, 0,
                              build::runner_variant::configurator) != build::kResultErrorWriting;
}

HWND add(HWND dialog, const wchar_t* cls, const std::string& text, DWORD style, DWORD ex_style,
         int id, int x, int y, int w, int h, const winui::unique_font* font) {
    HWND control = winui::create_control(dialog, cls, text, style, ex_style, id, x, y, w, h);
    if (font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font->get()), FALSE);
    return control;
}

void add_target_list(HWND dialog, const winui::unique_font& font, int top) {
    // The height includes the dropped list.
    HWND targets = add(dialog, WC_COMBOBOXW, "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0,
                       list, 14, top, 192, 160, &font);
    for (const configurator::api_target& t : app().targets)
        SendMessageW(targets, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(platform::widen(t.description).c_str()));
}

void add_manager_picture(HWND dialog) {
    HWND picture = winui::create_control(dialog, WC_STATICW, "", SS_BITMAP | SS_NOTIFY,
                                         WS_EX_CLIENTEDGE, manager, 105, 105, 90, 90);
    const UINT dpi = winui::window_dpi(dialog);
    SetWindowPos(picture, nullptr, 0, 0, winui::scale(90, dpi), winui::scale(90, dpi),
                 SWP_NOMOVE | SWP_NOZORDER);
    winui::draw_resource_png_fitted(dialog, manager, "ASDK");
}

int index_of_id(int id) {
    const auto& targets = app().targets;
    for (std::size_t i = 0; i < targets.size(); ++i)
        if (targets[i].id == id) return static_cast<int>(i);
    return -1;
}

int selected(HWND dialog) {
    return static_cast<int>(SendDlgItemMessageW(dialog, list, CB_GETCURSEL, 0, 0));
}

void open_sdk_manager(HWND dialog, bool writable) {
    const std::string& sdk = app().config.android_sdk_path;
    if (writable) {
        // The SDK manager shows its own window; the picture rests for a moment meanwhile.
        winui::enable_item(dialog, manager, false);
        ShellExecuteW(nullptr, L"open", platform::widen(sdk + "\\tools\\android").c_str(), nullptr,
                      nullptr, SW_HIDE);
        SetTimer(dialog, kManagerTimer, 4000, nullptr);
    } else {
        ShellExecuteW(nullptr, L"explore", platform::widen(sdk + "\\tools").c_str(), nullptr,
                      nullptr, SW_SHOWNORMAL);
    }
}

// A changed selection in the chosen mode: the change is asked for, and may be refused.
void change_target(HWND dialog) {
    const configurator::change_decision d =
        configurator::change_api(app().targets, selected(dialog), app().config.api_target_id);
    if (!d.accepted) {
        if (!d.warning.empty()) tell(nullptr, d.warning, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    app().config.api_target_id = d.api_target_id;
    EndDialog(dialog, 1);
}

class chooser_dialog : public winui::dialog_handler {
public:
    chooser_dialog(chooser_mode mode, bool writable) : mode_(mode), writable_(writable) {}

    void on_init(HWND dialog) override;
    bool on_command(HWND dialog, int id, int code) override;
    bool on_message(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam,
                    INT_PTR& result) override;

private:
    chooser_mode mode_;
    bool writable_;
    COLORREF headline_colour_ = RGB(0, 0, 139);
    winui::unique_font bold_;
};

void chooser_dialog::on_init(HWND dialog) {
    winui::set_client_size(dialog, 300, 205);
    winui::set_program_icons(dialog);
    bold_ = winui::dialog_font(dialog, 8, FW_BOLD, L"Arial");
    add(dialog, WC_STATICW, configurator::chooser_headline(mode_, writable_), SS_LEFT | SS_NOPREFIX,
        0, text, 4, 8, 292, 90, &bold_);
    switch (mode_) {
        case chooser_mode::not_configured:
            headline_colour_ = RGB(0, 0, 139);
            add_manager_picture(dialog);
            break;
        case chooser_mode::choose: {
            headline_colour_ = RGB(255, 0, 0);
            add_target_list(dialog, bold_, 45);
            add(dialog, WC_BUTTONW, "Ok", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, ok, 230, 43, 45, 24,
                nullptr);
            const UINT dpi = winui::window_dpi(dialog);
            SetWindowPos(dialog, nullptr, 0, 0, winui::scale(305, dpi), winui::scale(105, dpi),
                         SWP_NOMOVE | SWP_NOZORDER);
            break;
        }
        case chooser_mode::chosen:
            headline_colour_ = RGB(0, 100, 0);
            add_target_list(dialog, bold_, 25);
            SendDlgItemMessageW(dialog, list, CB_SETCURSEL,
                                static_cast<WPARAM>(index_of_id(app().config.api_target_id)), 0);
            add(dialog, WC_BUTTONW, "Change API", BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED, 0,
                change, 215, 25, 75, 24, nullptr);
            add(dialog, WC_STATICW, configurator::chooser_second_text(writable_),
                SS_LEFT | SS_NOPREFIX, 0, second_text, 4, 61, 292, 42, &bold_);
            add_manager_picture(dialog);
            break;
    }
}

bool chooser_dialog::on_command(HWND dialog, int id, int code) {
    if (id == IDCANCEL) {
        EndDialog(dialog, 0);
        return true;
    }
    if (mode_ == chooser_mode::choose && id == ok && code == BN_CLICKED) {
        app().config.api_target_id =
            configurator::id_after_ok(app().targets, selected(dialog), app().config.api_target_id);
        EndDialog(dialog, 1);
        return true;
    }
    if (mode_ != chooser_mode::choose && id == manager && code == STN_CLICKED) {
        open_sdk_manager(dialog, writable_);
        return true;
    }
    if (mode_ != chooser_mode::chosen) return true;
    if (id == list && (code == CBN_SELCHANGE || code == CBN_SELENDOK) &&
        configurator::selection_differs(app().targets, selected(dialog),
                                        app().config.api_target_id))
        winui::enable_item(dialog, change, true);
    if (id == change && code == BN_CLICKED) change_target(dialog);
    return true;
}

bool chooser_dialog::on_message(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam,
                                INT_PTR& result) {
    result = TRUE;
    switch (message) {
        case WM_TIMER:
            if (wparam == kManagerTimer) {
                KillTimer(dialog, kManagerTimer);
                winui::enable_item(dialog, manager, true);
            }
            return true;
        case WM_CTLCOLORSTATIC: {
            const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lparam));
            if (id != text && id != second_text) return false;
            HDC dc = reinterpret_cast<HDC>(wparam);
            SetTextColor(dc, id == text ? headline_colour_ : RGB(0, 0, 139));
            SetBkMode(dc, TRANSPARENT);
            result = reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
            return true;
        }
        case WM_CLOSE: EndDialog(dialog, 0); return true;
        case WM_DESTROY: KillTimer(dialog, kManagerTimer); return false;
        default: return false;
    }
}

}  // namespace

void show_api_chooser(HWND owner) {
    const bool writable = sdk_folder_writable();
    chooser_dialog handler(
        configurator::chooser_mode_for(app().targets, app().config.api_target_id), writable);
    winui::dialog_outline outline;
    outline.caption = "Android SDK";
    outline.width = 200;  // replaced by the exact client size at initialisation
    outline.height = 133;
    winui::run_dialog(owner, outline, handler);
}

}  // namespace vexlo_config
