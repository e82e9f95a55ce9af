#pragma once
// Balloon tool-tips: one tool-tip window per process, created on first use.
#include <windows.h>

#include <string>

namespace winui {

HWND create_tooltip_window(HWND parent);
// Shows text as the control's tool-tip; "|" marks a line break. A second call replaces it.
void add_tooltip(HWND control, const std::string& text);
// Removes the tool-tips of a window's controls; a dialog calls it as it closes, so that the
// process-wide tool-tip window keeps no tools of windows that no longer exist.
void remove_tooltips_of(HWND parent);

}  // namespace winui
