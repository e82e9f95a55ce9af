#pragma once
// The API check behind its small animated progress dialog: a worker confirms a configured
// keystore and lists the SDK's API targets; the dialog applies the outcome (with its warning)
// on the window's thread and closes.
#include <windows.h>

// Runs the check modally over the owner; returns when the dialog has closed.
void run_api_check_dialog(HWND owner);
