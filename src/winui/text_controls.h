#pragma once
// UTF-8 text in and out of windows and controls.
#include <windows.h>

#include <string>

namespace winui {

std::string get_window_text(HWND window);
void set_window_text(HWND window, const std::string& text);
std::string get_item_text(HWND dialog, int id);
void set_item_text(HWND dialog, int id, const std::string& text);
void enable_item(HWND dialog, int id, bool enabled);

}  // namespace winui
