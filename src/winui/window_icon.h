#pragma once
// The program icon ("AICO" in each program's resources) in a window's caption.
#include <windows.h>

namespace winui {

// The small caption icon, for dialogs opened over a main window.
void set_caption_icon(HWND window);
// The small and the large icon, for a program's main window (the large one shows in Alt+Tab).
void set_program_icons(HWND window);

}  // namespace winui
