#include "winui/text_controls.h"

#include "platform/win32/utf16.h"

namespace winui {

std::string get_window_text(HWND window) {
    const int n = GetWindowTextLengthW(window);
    std::wstring buffer(static_cast<std::size_t>(n) + 1, L'\0');
    const int got = GetWindowTextW(window, buffer.data(), n + 1);
    buffer.resize(static_cast<std::size_t>(got));
    return platform::narrow(buffer);
}

void set_window_text(HWND window, const std::string& text) {
    SetWindowTextW(window, platform::widen(text).c_str());
}

std::string get_item_text(HWND dialog, int id) {
    return get_window_text(GetDlgItem(dialog, id));
}

void set_item_text(HWND dialog, int id, const std::string& text) {
    set_window_text(GetDlgItem(dialog, id), text);
}

void enable_item(HWND dialog, int id, bool enabled) {
    EnableWindow(GetDlgItem(dialog, id), enabled ? TRUE : FALSE);
}

}  // namespace winui
