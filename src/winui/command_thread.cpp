#include "winui/command_thread.h"

#include <objbase.h>

#include "winui/command_runner.h"

namespace {

struct command_call {
    void (*work)(void*);
    void* context;
};

// A thread procedure of its own: a lambda cannot become a stdcall function on 32-bit Windows.
DWORD WINAPI command_thread(LPVOID parameter) {
    auto& call = *static_cast<command_call*>(parameter);
    // The common dialogs and ShellExecute want a single-threaded apartment.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    call.work(call.context);
    if (SUCCEEDED(com)) CoUninitialize();
    return 0;
}

}  // namespace

void run_on_command_thread(HWND window, void (*work)(void*), void* context) {
    // Disabled for the whole command, so no second command starts from the window while this
    // one runs, even between two of its dialogs.
    const bool was_enabled = window && IsWindowEnabled(window);
    if (was_enabled) EnableWindow(window, FALSE);
    command_call call{work, context};
    if (HANDLE thread = CreateThread(nullptr, 0, command_thread, &call, 0, nullptr)) {
        wait_serving_messages(thread);
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    } else {
        work(context);
    }
    if (was_enabled) {
        EnableWindow(window, TRUE);
        // The command's last box closed while the window was still disabled, so it could not
        // take the activation back; it does now, unless another program (Explorer showing the
        // APK) has come to the front meanwhile.
        const HWND front = GetForegroundWindow();
        DWORD front_process = 0;
        if (front) GetWindowThreadProcessId(front, &front_process);
        if (!front || front_process == GetCurrentProcessId()) SetForegroundWindow(window);
    }
}
