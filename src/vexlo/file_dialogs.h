#pragma once
// The open-file and save-file dialogs of the project commands. Neither changes the program's
// current folder.
#include <windows.h>

#include <string>
#include <vector>

#include "core/assets/picture_filter.h"

namespace vexlo {

// The chosen existing file, or "" when the user cancelled. Starts in the current folder.
std::string choose_existing_file(HWND owner, const std::string& title,
                                 const std::vector<assets::filter_entry>& filter);

// The chosen path to save to, or "" when the user cancelled. A name that does not exist yet is
// confirmed by the user.
std::string choose_save_path(HWND owner, const std::string& title, const std::string& start_folder,
                             const std::string& proposed_name);

}  // namespace vexlo
