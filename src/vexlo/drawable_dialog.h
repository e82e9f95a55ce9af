#pragma once
// The drawable dialog: names a picture and writes it as PNG into the chosen density folders.
#include <windows.h>

#include <string>
#include <vector>

#include "core/assets/picture_resample.h"

struct drawable_outcome {
    bool added = false;               // OK ran to its end
    std::vector<std::string> failed;  // drawable files that could not be written
};

// Runs the dialog modally over the owner. picture_path names the proposed drawable; the
// viewed pixels stay in place until the dialog has closed.
drawable_outcome run_drawable_dialog(HWND owner, const assets::bgra_view& picture,
                                     const std::string& picture_path);
