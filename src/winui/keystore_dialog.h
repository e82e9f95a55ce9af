#pragma once
// The small dialog that asks for a keystore's alias and password (typed twice). Mode 0 is the
// first request; mode 1 says that the values given before did not fit the keystore.
#include <windows.h>

#include <string>

// Control ids of the dialog.
enum keystore_dialog_id : int {
    id_keystore_prompt = 1007,
    id_keystore_alias = 1011,
    id_keystore_password = 1012,
    id_keystore_confirm = 1013,
};

// Shows the dialog pre-filled with alias and password; 1 when the user confirmed values that
// pass the checks (they are then in alias and password), 0 when cancelled.
int keystore_dialog(HWND owner, int mode, std::string& alias, std::string& password);
