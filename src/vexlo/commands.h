#pragma once
// The main window's command handlers, one per button or list.
#include <windows.h>

namespace vexlo {

// Loading (load_commands.cpp).
void choose_recent_project(HWND dialog);
void choose_project_folder(HWND dialog);
void open_recent_projects_file();

// Property edits (property_commands.cpp).
void edit_permissions(HWND dialog);
void discard_changes(HWND dialog);
void apply_changes(HWND dialog);

// The project actions; false when the id is not one of them (project_commands.cpp).
bool run_project_command(HWND dialog, int id);

}  // namespace vexlo
