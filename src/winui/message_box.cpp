#include "winui/message_box.h"

#include <cmath>

#include "platform/win32/utf16.h"
#include "winui/disabled_owner.h"

namespace winui {

namespace {

thread_local HHOOK g_hook = nullptr;
thread_local HWND g_owner = nullptr;

LRESULT CALLBACK activation_hook(int code, WPARAM wparam, LPARAM lparam) {
    const HHOOK hook = g_hook;
    if (code == HCBT_ACTIVATE) {
        // Unhooked first: placing the box activates it again, which would otherwise bring
        // this hook back recursively, once per placement.
        UnhookWindowsHookEx(hook);
        g_hook = nullptr;
        const HWND box = reinterpret_cast<HWND>(wparam);
        if (g_owner) center_window(box, g_owner);
        // Shared icons: the system keeps them, so no box leaves icons behind.
        const HINSTANCE module = GetModuleHandleW(nullptr);
        if (HICON big = static_cast<HICON>(LoadImageW(module, L"AICO", IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXICON),
                                                      GetSystemMetrics(SM_CYICON), LR_SHARED)))
            SendMessageW(box, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
        if (HICON small = static_cast<HICON>(LoadImageW(module, L"AICO", IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), LR_SHARED)))
            SendMessageW(box, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    }
    return CallNextHookEx(hook, code, wparam, lparam);
}

}  // namespace

void center_window(HWND window, HWND owner) {
    if (!owner) owner = GetParent(window);
    RECT w{}, o{};
    GetWindowRect(window, &w);
    if (owner) {
        GetWindowRect(owner, &o);
    } else {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &o, 0);
    }
    const POINT at = centred_in(o, {w.right - w.left, w.bottom - w.top});
    SetWindowPos(window, HWND_TOP, at.x, at.y, 0, 0, SWP_NOSIZE);
}

POINT centred_in(const RECT& area, SIZE size) {
    return {static_cast<int>(std::lround((area.left + area.right - size.cx) / 2.0)),
            static_cast<int>(std::lround((area.top + area.bottom - size.cy) / 2.0))};
}

int show_message(HWND owner, const std::string& text, const std::string& caption, UINT style) {
    const keep_owner_disabled kept(owner);
    g_owner = owner;
    g_hook = SetWindowsHookExW(WH_CBT, activation_hook, nullptr, GetCurrentThreadId());
    const int result =
        MessageBoxW(owner, platform::widen(text).c_str(), platform::widen(caption).c_str(), style);
    if (g_hook) {  // the box never activated
        UnhookWindowsHookEx(g_hook);
        g_hook = nullptr;
    }
    return result;
}

}  // namespace winui
