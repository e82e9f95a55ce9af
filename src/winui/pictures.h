#pragma once
// PNG pictures from the program's resources or from files, drawn into picture boxes.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace Gdiplus {
class Image;
}  // namespace Gdiplus

namespace winui {

// Where a picture of the resources goes: the size of its box and the rectangle it is scaled
// into, in pixels at 96 DPI.
struct picture_placement {
    std::string name;
    int box_w, box_h, x, y, w, h;
};
// As draw_resource_png places a button picture, and as draw_resource_png_fitted places one.
picture_placement button_picture_placement(std::string name, int box_w, int box_h);
picture_placement fitted_picture_placement(std::string name, int box_w, int box_h);

// Decodes and scales the pictures on a worker thread (starting GDI+ there) for the system DPI
// while the window builds its controls. The first GDI+ use on the window's thread waits for the
// worker; a drawing whose box and DPI match a rendered picture then takes it as it is.
void prerender_png_resources(std::vector<picture_placement> placements);

struct image_deleter {
    void operator()(Gdiplus::Image* image) const;
};
using unique_image = std::unique_ptr<Gdiplus::Image, image_deleter>;
// A picture file decoded by GDI+, or null when it cannot be decoded.
unique_image load_image_file(const std::string& path);

// The named picture scaled to 26 x 26 at 4, 2 inside a 32 x 32 box (scaled with the DPI).
void draw_resource_png(HWND dialog, int id, const std::string& name);
// The named picture scaled to the box's size less 6 pixels each way, at 0, 0.
void draw_resource_png_fitted(HWND dialog, int id, const std::string& name);
// The image scaled to the box's size less 6 pixels each way, at 0, 0.
void draw_image_in_control(HWND dialog, int id, Gdiplus::Image* image);
// Empties the picture box.
void clear_picture(HWND dialog, int id);

}  // namespace winui
