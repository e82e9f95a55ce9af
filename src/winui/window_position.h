#pragma once
// The main window's remembered position, in a per-user file named after the program.
#include <windows.h>

#include <string>

std::string position_file_path();
void save_window_position(HWND dialog);
// Moves the dialog to the saved position when there is one and it lies on a monitor.
void restore_window_position(HWND dialog);
