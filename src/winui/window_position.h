#pragma once
// The main window's remembered position, in a per-user file named after the program.
#include <windows.h>

#include <string>

namespace winui {

std::string position_file_path();
void save_window_position(HWND dialog);
// Gives the main window the outer size for its client area (pixels at 96 DPI, scaled) and puts it
// at the saved position when that lies on a monitor, otherwise in the middle of the work area.
void place_main_window(HWND window, int client_w, int client_h);

}  // namespace winui
