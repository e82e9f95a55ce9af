#include "winui/dialog_base.h"

#include "winui/window_icon.h"
#include "winui/message_box.h"

namespace winui {
namespace {

dialog_handler* handler_of(HWND dialog) {
    return reinterpret_cast<dialog_handler*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

INT_PTR CALLBACK dialog_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    try {
        if (message == WM_INITDIALOG) {
            auto* handler = reinterpret_cast<dialog_handler*>(lparam);
            SetWindowLongPtrW(dialog, DWLP_USER, lparam);
            handler->on_init(dialog);
            set_caption_icon(dialog);
            if (handler->centred()) center_window(dialog, GetWindow(dialog, GW_OWNER));
            if (const int focus = handler->initial_focus()) {
                SetFocus(GetDlgItem(dialog, focus));
                return FALSE;
            }
            return TRUE;
        }
        dialog_handler* handler = handler_of(dialog);
        if (!handler) return FALSE;  // the few messages before WM_INITDIALOG
        if (message == WM_COMMAND)
            return handler->on_command(dialog, LOWORD(wparam), HIWORD(wparam)) ? TRUE : FALSE;
        INT_PTR result = FALSE;
        return handler->on_message(dialog, message, wparam, lparam, result) ? result : FALSE;
    } catch (...) {
        // Out of memory, most likely: the dialog cannot go on.
        EndDialog(dialog, -1);
        return TRUE;
    }
}

}  // namespace

INT_PTR run_dialog(HWND owner, const dialog_outline& outline, dialog_handler& handler) {
    return run_modal_dialog(owner, outline, dialog_procedure, reinterpret_cast<LPARAM>(&handler));
}

}  // namespace winui
