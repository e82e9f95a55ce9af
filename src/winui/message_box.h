#pragma once
// The programs' message box: centred on its owner and carrying the program icon.
#include <windows.h>

#include <string>

namespace winui {

// The button the user pressed (IDYES, IDNO, IDOK, ...).
int show_message(HWND owner, const std::string& text, const std::string& caption, UINT style);
// Moves the window so that its centre is the owner's centre (owner 0: the window's parent).
void center_window(HWND window, HWND owner);
// The top-left corner that puts a window of this size in the middle of the area.
POINT centred_in(const RECT& area, SIZE size);

}  // namespace winui
