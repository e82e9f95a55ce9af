#include "winui/message_pump.h"

#include <windows.h>

void serve_pending_messages() {
    thread_local DWORD last = 0;
    const DWORD now = GetTickCount();
    if (now - last < 15) return;
    last = now;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for the real loop
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}
