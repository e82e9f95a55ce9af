#pragma once
// Dialogs are built in code: an empty in-memory template, controls created at initialisation.
#include <windows.h>

#include <string>
#include <vector>

namespace winui {

struct dialog_outline {
    std::string caption;
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    short width = 100;  // dialog units
    short height = 100;
    std::string font = "MS Shell Dlg";
    short point_size = 8;
};

// The bytes of a DLGTEMPLATE without controls (aligned as the dialog manager wants them).
std::vector<WORD> build_dialog_template(const dialog_outline& outline);

INT_PTR run_modal_dialog(HWND owner, const dialog_outline& outline, DLGPROC procedure,
                         LPARAM parameter);

// Creates a child control at a position in pixels at 96 DPI, scaled with the dialog's DPI.
HWND create_control(HWND dialog, const wchar_t* window_class, const std::string& text, DWORD style,
                    DWORD ex_style, int id, int x, int y, int w, int h);
// The outer size of the dialog whose client area is w x h pixels at 96 DPI (scaled).
SIZE window_size_for_client(HWND dialog, int w, int h);
// Sizes the dialog so that its client area is w x h pixels at 96 DPI (scaled).
void set_client_size(HWND dialog, int w, int h);
// Converts dialog units of this dialog into pixels and creates the control there.
HWND create_control_du(HWND dialog, const wchar_t* window_class, const std::string& text,
                       DWORD style, DWORD ex_style, int id, int x, int y, int w, int h);

}  // namespace winui
