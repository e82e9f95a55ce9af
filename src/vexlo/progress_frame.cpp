#include "vexlo/progress_frame.h"

#include <commctrl.h>

#include <utility>

#include "vexlo/compile_progress_ids.h"
#include "winui/dialog_font.h"
#include "winui/dialog_template.h"

namespace vexlo {

namespace {

constexpr COLORREF kBackground = RGB(241, 245, 248);
constexpr COLORREF kText = RGB(0, 6, 54);

}  // namespace

void progress_frame::create(HWND dialog, const progress_look& look) {
    HWND animation = winui::create_control_du(dialog, WC_STATICW, "", SS_BITMAP, 0,
                                              id_progress_animation, 1, 4, 120, 10);
    if (!look.animation_shown) ShowWindow(animation, SW_HIDE);
    show_first_frame(dialog);
    winui::create_control_du(dialog, WC_STATICW, look.title,
                             SS_LEFTNOWORDWRAP | (look.title_ellipsis ? SS_ENDELLIPSIS : 0), 0,
                             id_progress_title, 6, 20, 160, 12);
    winui::create_control_du(dialog, WC_STATICW, look.step, SS_LEFTNOWORDWRAP, 0, id_progress_step,
                             6, 32, look.step_width, 12);
    winui::create_control_du(dialog, WC_BUTTONW, "Cancel", WS_TABSTOP | BS_PUSHBUTTON, 0,
                             id_progress_cancel, 125, 32, 40, 15);
    bold_ = winui::dialog_font(dialog, 8, FW_BOLD, L"Tahoma");
    regular_ = winui::dialog_font(dialog, 8, FW_NORMAL, L"Tahoma");
    for (auto [id, font] :
         {std::pair{id_progress_title, bold_.get()}, std::pair{id_progress_step, regular_.get()},
          std::pair{id_progress_cancel, bold_.get()}})
        SendDlgItemMessageW(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetTimer(dialog, id_progress_timer, 100, nullptr);
}

void progress_frame::show_next_frame(HWND dialog) {
    SendDlgItemMessageW(dialog, id_progress_animation, STM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(frames_.frame(next_loadbar_frame())));
}

void progress_frame::show_first_frame(HWND dialog) {
    SendDlgItemMessageW(dialog, id_progress_animation, STM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(frames_.frame(0)));
}

void progress_frame::stop(HWND dialog) {
    KillTimer(dialog, id_progress_timer);
}

bool progress_frame::colour(UINT message, WPARAM wparam, INT_PTR& result) const {
    if (message != WM_CTLCOLORDLG && message != WM_CTLCOLORSTATIC) return false;
    if (message == WM_CTLCOLORSTATIC) {
        HDC dc = reinterpret_cast<HDC>(wparam);
        SetTextColor(dc, kText);
        SetBkColor(dc, kBackground);
    }
    result = reinterpret_cast<INT_PTR>(background_.get());
    return true;
}

}  // namespace vexlo
