// The least a program with one of our main windows can do at start-up: a plain window with the
// common-controls manifest and exactly the controls of that window's layout, made by the
// program's own code and shown, without pictures, icons, configuration or recent projects.
// Measured with startup_bench it tells how much of the start-up is the layout itself.
//     layout_floor            Vexlo's main window
//     layout_floor config     the configurator's main window
#include <windows.h>
#include <commctrl.h>

#include <cwchar>

#include "core/shell/main_window_model.h"
#include "vexlo-config/control_ids.h"
#include "vexlo-config/main_window_layout.h"
#include "vexlo/main_window_controls.h"
#include "winui/dialog_template.h"

namespace {

HFONT g_font;

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_GETFONT: return reinterpret_cast<LRESULT>(g_font);
        case WM_DESTROY: PostQuitMessage(0); return 0;
        default: return DefWindowProcW(window, message, wparam, lparam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR command_line, int show) {
    const bool configurator = std::wcscmp(command_line, L"config") == 0;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    g_font = CreateFontIndirectW(&metrics.lfMessageFont);
    WNDCLASSW cls{};
    cls.lpfnWndProc = procedure;
    cls.hInstance = instance;
    cls.lpszClassName = L"layout_floor";
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    cls.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    RegisterClassW(&cls);
    HWND window =
        CreateWindowW(L"layout_floor", L"Layout floor", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                      CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance, nullptr);
    const SIZE size =
        configurator
            ? winui::window_size_for_client(window, vexlo_config::kClientWidth,
                                            vexlo_config::kClientHeight)
            : winui::window_size_for_client(window, shell::kClientWidth, shell::kClientHeight);
    SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    vexlo_config::main_window_resources
        resources;  // fonts and button faces of the configurator's controls
    if (configurator)
        vexlo_config::create_main_window_controls(window, resources);
    else
        vexlo::create_main_window_controls(window);
    ShowWindow(window, show);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
