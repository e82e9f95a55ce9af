#pragma once
#include <windows.h>

#include "core/project/project_state.h"
#include "winui/dialog_base.h"

namespace vexlo {

// Shows the permission choice; ok when the user pressed OK (the choice is then taken over).
winui::dialog_answer run_permissions_dialog(HWND owner, project::permission_flags& choice);

}  // namespace vexlo
