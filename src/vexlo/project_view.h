#pragma once
// Loading a folder as the current project and bringing the main window into its state.
#include <windows.h>

#include <string>

#include "core/shell/main_window_model.h"

namespace vexlo {

// folder ends with one backslash; the caller has cleared the pending changes.
void load_project(HWND dialog, const std::string& folder);
void show_display_state(HWND dialog, const shell::display_state& state);
// Puts the project record's six properties into the property boxes.
void show_properties(HWND dialog);
void show_pending(HWND dialog, bool pending);
// What the SDK levels in the boxes mean for phones and publishing, in the boxes' tool-tips.
void show_sdk_advice(HWND dialog);

}  // namespace vexlo
