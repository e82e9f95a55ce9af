#pragma once
// A picture file shown as a page: decoded once by GDI+ into a bitmap that paints quickly.
#include <windows.h>

#include <memory>
#include <string>

#include "winui/gdi_handles.h"

namespace lumo {

class picture {
public:
    // Nothing when the file is missing or not a picture GDI+ can read.
    static std::unique_ptr<picture> load(const std::string& path);
    HBITMAP bitmap() const { return bitmap_.get(); }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    winui::unique_bitmap bitmap_;
    int width_ = 0;
    int height_ = 0;
};

// Files shown as a picture rather than read as a page (any letter case).
bool is_picture_file(const std::string& path);

}  // namespace lumo
