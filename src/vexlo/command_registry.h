#pragma once
// The main window's project actions. Each action lives in its own file and registers its
// handler for a control id there, so the dispatcher needs no list of them:
//     static const bool registered = register_command(shell::id_duplicate, duplicate_project);
#include <windows.h>

namespace vexlo {

using command_handler = void (*)(HWND main_dialog);

bool register_command(int control_id, command_handler handler);

}  // namespace vexlo
