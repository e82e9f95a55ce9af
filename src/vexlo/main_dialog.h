#pragma once
#include <windows.h>

// Shows the main window modally; returns when the user closed it.
void run_main_dialog();
