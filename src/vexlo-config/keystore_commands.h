#pragma once
// The Keystore section's commands: choose an existing keystore ("Browse"), confirm its alias
// and password ("Configure keystore"), and create a new one with keytool.
#include <windows.h>

namespace vexlo_config {

void select_keystore(HWND window);
void confirm_keystore(HWND window);
void create_keystore(HWND window);

}  // namespace vexlo_config
