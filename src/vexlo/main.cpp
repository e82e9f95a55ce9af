// Vexlo.exe: start-up checks, then the main window.
#include <windows.h>
#include <commctrl.h>

#include "core/project/permissions.h"
#include "core/shell/main_window_model.h"
#include "vexlo/main_dialog.h"
#include "winui/gdi_handles.h"
#include "winui/message_box.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS |
                                                       ICC_BAR_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    start_gdiplus();
    if (project::permission_table().size() != project::kPermissionCount) {
        show_message(nullptr, "Fatal error in number of permissions!", shell::kProgramCaption,
                     MB_OK | MB_ICONERROR);
        return 1;
    }
    run_main_dialog();
    return 0;
}
