#pragma once
// The API check behind its small animated progress dialog: a worker confirms a configured
// keystore and lists the SDK's API targets; the dialog applies the outcome (with its warning)
// on the window's thread and closes.
#include <windows.h>

namespace vexlo_config {

// Runs the check modally over the owner; returns when the dialog has closed.
void run_api_check_dialog(HWND owner);

// Closes the dialog if it is up (the main window is closing): the check stops where it is.
void close_api_check_dialog();

}  // namespace vexlo_config
