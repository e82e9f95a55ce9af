#include "winui/command_thread.h"

#include "winui/background_job.h"

namespace winui {

void run_on_command_thread(HWND window, const std::function<void()>& work) {
    // Disabled for the whole command, so no second command starts from the window while this
    // one runs, even between two of its dialogs.
    const bool was_enabled = window && IsWindowEnabled(window);
    if (was_enabled) EnableWindow(window, FALSE);
    run_beside_the_window(work);
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

}  // namespace winui
