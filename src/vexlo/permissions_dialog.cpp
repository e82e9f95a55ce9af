// "App permissions": one check box per permission of the table.
#include "vexlo/permissions_dialog.h"

#include "core/project/permission_choice.h"
#include "core/project/permissions.h"
#include "winui/dialog_template.h"
#include "winui/dpi.h"
#include "winui/gdi_handles.h"
#include "winui/message_box.h"
#include "winui/window_icon.h"

namespace {

constexpr int kSelectAll = 1020;
constexpr int kOk = 1018;
constexpr int kCancel = 1019;
constexpr int kFirstBox = 1100;

struct permissions_context {
    project::permission_flags* choice;
    unique_font title_font;
};

void initialise(HWND dialog, permissions_context& context) {
    HWND select = create_control_du(dialog, L"BUTTON", "Select all / none ...", BS_PUSHBUTTON | WS_TABSTOP,
                                    0, kSelectAll, 5, 5, 120, 12);
    const UINT dpi = window_dpi(dialog);
    context.title_font.reset(CreateFontW(-MulDiv(7, static_cast<int>(dpi), 72), 0, 0, 0, FW_BOLD,
                                         TRUE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                         CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH,
                                         L"Tahoma"));
    SendMessageW(select, WM_SETFONT, reinterpret_cast<WPARAM>(context.title_font.get()), FALSE);
    for (int i = 0; i < project::kPermissionCount; ++i) {
        create_control_du(dialog, L"BUTTON", project::permission_display_name(i),
                          BS_AUTOCHECKBOX | WS_TABSTOP, 0, kFirstBox + i, 5, 20 + 12 * i, 120, 10);
        CheckDlgButton(dialog, kFirstBox + i, (*context.choice)[i] ? BST_CHECKED : BST_UNCHECKED);
    }
    create_control_du(dialog, L"BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, kOk, 20, 280, 40, 15);
    create_control_du(dialog, L"BUTTON", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 0, kCancel, 70, 280, 40, 15);
    set_caption_icon(dialog);
    center_window(dialog, GetWindow(dialog, GW_OWNER));
}

void select_all_or_none(HWND dialog) {
    int checked = 0;
    for (int i = 0; i < project::kPermissionCount; ++i)
        checked += IsDlgButtonChecked(dialog, kFirstBox + i) == BST_CHECKED;
    const UINT state = project::select_all_checks(checked) ? BST_CHECKED : BST_UNCHECKED;
    for (int i = 0; i < project::kPermissionCount; ++i) CheckDlgButton(dialog, kFirstBox + i, state);
}

INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* context = reinterpret_cast<permissions_context*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrW(dialog, DWLP_USER, lparam);
            initialise(dialog, *reinterpret_cast<permissions_context*>(lparam));
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wparam)) {
                case kSelectAll: select_all_or_none(dialog); return TRUE;
                case kOk:
                    for (int i = 0; i < project::kPermissionCount; ++i)
                        (*context->choice)[i] = IsDlgButtonChecked(dialog, kFirstBox + i) == BST_CHECKED;
                    EndDialog(dialog, 1);
                    return TRUE;
                case kCancel:
                case IDCANCEL: EndDialog(dialog, 2); return TRUE;
                default: return FALSE;
            }
        default: return FALSE;
    }
}

}  // namespace

INT_PTR run_permissions_dialog(HWND owner, project::permission_flags& choice) {
    permissions_context context{&choice, unique_font()};
    dialog_template_spec spec;
    spec.caption = "App permissions";
    spec.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    spec.width = 130;
    spec.height = 300;
    return run_modal_dialog(owner, spec, procedure, reinterpret_cast<LPARAM>(&context));
}
