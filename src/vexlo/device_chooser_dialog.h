#pragma once
// Several phones are connected: the user picks the one to install the APK on.
#include <windows.h>

#include <string>
#include <vector>

namespace vexlo {

// The index of the chosen line (the first is selected at first), or -1 when the user cancels.
// Install is IDOK, Cancel IDCANCEL; a double click on a line installs on it.
int choose_device(HWND owner, const std::string& text, const std::vector<std::string>& lines);

}  // namespace vexlo
