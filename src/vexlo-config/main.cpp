// Vexlo-config.exe: finds or lets the user choose the JDK, the Android SDK with its API target,
// Apache Ant and a signing keystore, and writes Vexlo.cfg for Vexlo.exe.
#include <windows.h>
#include <commctrl.h>

#include "vexlo-config/main_window.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    vexlo_config::run_main_window();
    return 0;
}
