#include "winui/tooltip.h"

#include <commctrl.h>

#include "core/text/text_helpers.h"
#include "platform/win32/utf16.h"

namespace winui {

namespace {
HWND g_tooltip = nullptr;
}

HWND create_tooltip_window(HWND parent) {
    if (g_tooltip && IsWindow(g_tooltip)) return g_tooltip;
    if (!parent) parent = GetActiveWindow();
    if (!parent) return nullptr;
    g_tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                WS_POPUP | TTS_ALWAYSTIP | TTS_BALLOON, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    if (g_tooltip) SendMessageW(g_tooltip, TTM_SETMAXTIPWIDTH, 0, 300);
    return g_tooltip;
}

void add_tooltip(HWND control, const std::string& text) {
    HWND tip = create_tooltip_window(GetParent(control));
    if (!tip) return;
    std::wstring wide = platform::widen(text::replace_text(text, "|", "\r\n"));
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = GetParent(control);
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = wide.data();
    SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void remove_tooltips_of(HWND parent) {
    if (!g_tooltip || !IsWindow(g_tooltip)) return;
    // Deleting shifts the later tools down, so the index only moves past tools that stay.
    UINT index = 0;
    for (;;) {
        TOOLINFOW info{};
        info.cbSize = sizeof info;
        if (!SendMessageW(g_tooltip, TTM_ENUMTOOLSW, index, reinterpret_cast<LPARAM>(&info))) break;
        if (info.hwnd == parent)
            SendMessageW(g_tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
        else
            ++index;
    }
}

}  // namespace winui
