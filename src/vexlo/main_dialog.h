#pragma once
#include <windows.h>

namespace vexlo {

// Shows the main window modally; returns when the user closed it.
void run_main_dialog();

}  // namespace vexlo
