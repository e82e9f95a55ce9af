#pragma once
// "Android SDK": the API target chooser. Without targets it sends the user to the SDK
// manager; with targets it lets the user choose (or change) the one to compile with.
#include <windows.h>

namespace vexlo_config {

// Shows the chooser modally; may change the chosen target id. The caller then requests a
// status refresh.
void show_api_chooser(HWND owner);

}  // namespace vexlo_config
