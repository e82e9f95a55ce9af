#pragma once
// The recent-projects drop-down list of the main window.
#include <windows.h>

#include <string>

namespace vexlo {

std::string recent_projects_file();
void fill_recent_projects(HWND dialog, int combo_id);
// Appends a newly loaded project folder to the file (once) and refreshes the list.
void remember_project(HWND dialog, const std::string& folder);

}  // namespace vexlo
