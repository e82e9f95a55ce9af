#pragma once
// The duplicate progress dialog: copies the project on a worker thread while it animates and
// counts the steps. Escape or closing it asks the worker to stop after the file it is copying.
#include <windows.h>

#include <string>

#include "core/assets/project_duplicate.h"

namespace vexlo {

assets::duplicate_result run_duplicate_dialog(HWND owner, const std::string& project_folder,
                                              const std::string& target);

}  // namespace vexlo
