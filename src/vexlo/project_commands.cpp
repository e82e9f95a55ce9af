#include "vexlo/commands.h"

bool run_project_command(HWND, int) { return false; }
