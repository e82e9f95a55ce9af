#pragma once
// The drawable dialog: names a picture and writes it as PNG into the chosen density folders.
#include <windows.h>

#include <string>

#include "core/assets/picture_resample.h"
#include "core/assets/project_writes.h"

namespace vexlo {

struct drawable_outcome {
    bool added = false;             // OK ran to its end
    assets::write_outcome written;  // the last write of the drawable's files
};

// Runs the dialog modally over the owner. picture_path names the proposed drawable; the
// viewed pixels stay in place until the dialog has closed.
drawable_outcome run_drawable_dialog(HWND owner, const assets::bgra_view& picture,
                                     const std::string& picture_path);

}  // namespace vexlo
