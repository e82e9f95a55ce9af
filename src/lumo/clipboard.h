#pragma once
// Puts text on the clipboard for other programs to paste.
#include <windows.h>

#include <string>

namespace lumo {

// The UTF-8 text with its lines ended by CR LF; false when the clipboard is busy.
bool copy_to_clipboard(HWND owner, const std::string& text);

}  // namespace lumo
