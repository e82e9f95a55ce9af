#pragma once
// Choosing a picture file for the icon and drawable commands, and loading it.
#include <windows.h>

#include <string>

#include "winui/pictures.h"

namespace vexlo {

struct chosen_picture {
    enum outcome_kind { cancelled, unloadable, loaded };
    outcome_kind outcome = cancelled;
    std::string path;           // "" after a cancel
    winui::unique_image image;  // set when loaded
};

// The picture file dialog (every image type the list offers), then the chosen file decoded.
chosen_picture choose_picture(HWND owner);

}  // namespace vexlo
