#pragma once
// The small dialog that asks for a keystore's alias and password (typed twice).
#include <windows.h>

#include <string>

namespace winui {

enum class keystore_request {
    first,  // the first request
    again,  // the values given before did not fit the keystore
};

// Shows the dialog pre-filled with alias and password; true when the user confirmed values
// that pass the checks (they are then in alias and password), false when cancelled.
bool keystore_dialog(HWND owner, keystore_request request, std::string& alias,
                     std::string& password);

}  // namespace winui
