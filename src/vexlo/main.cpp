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
#include "winui/pictures.h"

namespace {

// The pictures of the empty window, rendered while it builds its controls.
std::vector<winui::picture_placement> start_pictures() {
    const shell::display_state state = shell::start_state();
    std::vector<winui::picture_placement> placements;
    const auto add = [&placements](int box, const std::string& name) {
        for (const shell::control_layout& c : shell::main_window_layout())
            if (c.id == box && c.kind == shell::control_kind::picture)
                placements.push_back(winui::button_picture_placement(name, c.w, c.h));
    };
    for (const shell::button_picture& p : state.pictures) add(p.box, p.base);
    if (!state.icon_picture.empty()) add(shell::id_icon, state.icon_picture);
    return placements;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    winui::prerender_png_resources(start_pictures());
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS |
                                                       ICC_BAR_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    vexlo::app().tools = build::read_tool_config(
        build::config_file_for_program(platform::program_path()), platform::program_folder());
    if (!build::build_components_ready(vexlo::app().tools)) {
        winui::show_message(
            nullptr,
            "Build components not ready!\r\rPlease run Vexlo-config.exe\rand follow the "
            "instructions\runtil you can click the \"I'm\rready\" button at the bottom.",
            shell::kProgramCaption, MB_OK | MB_ICONERROR);
        return 1;
    }
    if (project::permission_table().size() != project::kPermissionCount) {
        winui::show_message(nullptr, "Fatal error in number of permissions!",
                            shell::kProgramCaption, MB_OK | MB_ICONERROR);
        return 1;
    }
    vexlo::run_main_dialog();
    return 0;
}
