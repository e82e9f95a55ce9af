#include "winui/message_wait.h"

namespace winui {

namespace {

void serve_messages(bool& quit_seen, int& quit_code) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Handed back to the real message loop once the wait is over.
            quit_seen = true;
            quit_code = static_cast<int>(msg.wParam);
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace

DWORD wait_any_serving_messages(const HANDLE* handles, DWORD count) {
    bool quit_seen = false;
    int quit_code = 0;
    DWORD result = WAIT_FAILED;
    for (;;) {
        const DWORD r =
            MsgWaitForMultipleObjectsEx(count, handles, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (r < WAIT_OBJECT_0 + count) {
            result = r - WAIT_OBJECT_0;
            break;
        }
        if (r == WAIT_OBJECT_0 + count) {
            serve_messages(quit_seen, quit_code);
            continue;
        }
        // WAIT_FAILED: a handle that cannot be waited on; the wait is over.
        break;
    }
    if (quit_seen) PostQuitMessage(quit_code);
    return result;
}

bool wait_serving_messages(HANDLE handle, HANDLE cancel_event) {
    const HANDLE handles[2] = {handle, cancel_event};
    return wait_any_serving_messages(handles, cancel_event ? 2 : 1) != 1;
}

}  // namespace winui
