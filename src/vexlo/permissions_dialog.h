#pragma once
#include <windows.h>

#include "core/project/project_state.h"

// Shows the permission choice; 1 when the user pressed OK (choice taken over), 2 for Cancel.
INT_PTR run_permissions_dialog(HWND owner, project::permission_flags& choice);
