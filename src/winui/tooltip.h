#pragma once
// Balloon tool-tips: one tool-tip window per process, created on first use.
#include <windows.h>

#include <string>

HWND create_tooltip_window(HWND parent);
// Shows text as the control's tool-tip; "|" marks a line break. A second call replaces it.
void add_tooltip(HWND control, const std::string& text);
