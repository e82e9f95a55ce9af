#pragma once
// The one skeleton of the programs' dialogs. A dialog is a handler (its state and its answers)
// run by run_dialog, which keeps the handler in the dialog, catches at the edge (nothing may
// cross the dialog manager), sets the caption icon and centres the dialog on its owner once the
// handler has made its controls.
#include <windows.h>

#include "winui/dialog_template.h"

namespace winui {

class dialog_handler {
public:
    virtual ~dialog_handler() = default;
    // Makes and fills the controls.
    virtual void on_init(HWND dialog) = 0;
    // A command from a control, a menu or the keyboard (IDCANCEL for Escape and the close
    // box); true when handled.
    virtual bool on_command(HWND /*dialog*/, int /*id*/, int /*code*/) { return false; }
    // Any other message; true when handled, with the procedure's answer in result.
    virtual bool on_message(HWND /*dialog*/, UINT /*message*/, WPARAM /*wparam*/, LPARAM /*lparam*/,
                            INT_PTR& /*result*/) {
        return false;
    }
    // Whether the dialog is centred on its owner after on_init.
    virtual bool centred() const { return true; }
    // The control that gets the focus once the dialog is centred, or 0 for the first tab stop
    // (the dialog manager then selects an edit box's whole text).
    virtual int initial_focus() const { return 0; }
};

// Runs the modal dialog; the value given to EndDialog, or -1 when it could not be shown or its
// initialisation failed.
INT_PTR run_dialog(HWND owner, const dialog_outline& outline, dialog_handler& handler);

// How a dialog that asks for a choice was left.
enum class dialog_answer { ok, cancel };

}  // namespace winui
