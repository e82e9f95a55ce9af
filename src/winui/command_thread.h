#pragma once
// Runs a command's dialogs and message boxes on a thread of their own, owned by the calling
// window, while the window's own thread keeps answering its messages (painting, and whatever
// other programs send it). Creating a dialog or a message box, starting a program or waiting
// for one takes its thread a while; here that while never falls on the main window's thread.
#include <windows.h>

#include <functional>

namespace winui {

// Disables the window, runs work on a background job and waits for it while serving messages,
// then enables the window again and gives it the activation back. When no thread can be
// started, the work runs on the calling thread.
void run_on_command_thread(HWND window, const std::function<void()>& work);

}  // namespace winui
