#pragma once
// The controls of the configurator's main window, its fonts and its button pictures.
#include <windows.h>

#include "winui/gdi_handles.h"

namespace vexlo_config {

struct main_window_resources {
    winui::unique_font welcome;        // Arial 8 bold
    winui::unique_font title;          // Arial Black 12 bold, the four section titles
    winui::unique_font link;           // Arial 7 underlined
    winui::unique_font ready;          // Arial Black 10 bold
    winui::unique_bitmap detect_face;  // "BTNOTO"
    winui::unique_bitmap set_face;     // "BTNSET"
    winui::unique_bitmap null_face;    // "BTNNUL"
};

// Creates every control at its place (pixels at 96 DPI), in its state at creation, with its
// font or button face. The section pictures come from section_pictures.
void create_main_window_controls(HWND window, main_window_resources& resources);
// The tool-tips of the picture buttons ("Autodetect", "Configure Android CLT", ...).
void attach_button_tooltips(HWND window);

// Whether a control is one of the three download links.
bool is_link(int id);

}  // namespace vexlo_config
