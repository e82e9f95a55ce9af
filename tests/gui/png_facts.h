#pragma once
// What the tests look at in a PNG file they did not write: its size and two pixels.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <string>

namespace gui {

struct png_facts {
    bool loaded = false;
    int width = 0, height = 0;
    Gdiplus::Color corner, centre;  // the top-left and the middle pixel
};
png_facts read_png(const std::string& path);

}  // namespace gui
