#include "winui/window_icon.h"

namespace winui {

void set_caption_icon(HWND window) {
    if (HICON small = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"AICO", IMAGE_ICON,
                                                    GetSystemMetrics(SM_CXSMICON),
                                                    GetSystemMetrics(SM_CYSMICON), 0)))
        SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

void set_program_icons(HWND window) {
    if (HICON big = static_cast<HICON>(
            LoadImageW(GetModuleHandleW(nullptr), L"AICO", IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)))
        SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    set_caption_icon(window);
}

}  // namespace winui
