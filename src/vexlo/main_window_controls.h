#pragma once
// The main window's controls: every control of the layout with its id, text, position, style
// and initial state, and the up-down controls joined to their boxes.
#include <windows.h>

namespace vexlo {

void create_main_window_controls(HWND dialog);

}  // namespace vexlo
