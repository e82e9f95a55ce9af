// Vexlo.exe: start-up checks, then the main window.
#include <windows.h>
#include <commctrl.h>

#include "core/build/tool_config.h"
#include "core/build/tool_config_reader.h"
#include "core/project/permissions.h"
#include "core/shell/main_window_model.h"
#include "platform/platform.h"
#include "vexlo/app_state.h"
#include "vexlo/main_dialog.h"
#include "winui/gdi_handles.h"
#include "winui/message_box.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS |
                                                       ICC_BAR_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    app().tools = build::read_tool_config(build::config_file_for_program(platform::program_path()),
                                          platform::program_folder());
    if (!build::build_components_ready(app().tools)) {
        show_message(nullptr,
                     "Build components not ready!\r\rPlease run Vexlo-config.exe\rand follow the "
                     "instructions\runtil you can click the \"I'm\rready\" button at the bottom.",
                     shell::kProgramCaption, MB_OK | MB_ICONERROR);
        return 1;
    }
    start_gdiplus();
    if (project::permission_table().size() != project::kPermissionCount) {
        show_message(nullptr, "Fatal error in number of permissions!", shell::kProgramCaption,
                     MB_OK | MB_ICONERROR);
        return 1;
    }
    run_main_dialog();
    return 0;
}
