#pragma once
// PNG pictures from the program's resources or from files, drawn into picture boxes.
#include <windows.h>

#include <memory>
#include <string>

namespace Gdiplus {
class Bitmap;
class Image;
}  // namespace Gdiplus

// A GDI+ bitmap that keeps the memory its stream reads from alive as long as it lives.
struct resource_bitmap;
struct resource_bitmap_deleter {
    void operator()(resource_bitmap* b) const;
};
using unique_resource_bitmap = std::unique_ptr<resource_bitmap, resource_bitmap_deleter>;

unique_resource_bitmap load_png_resource(const std::string& name);
Gdiplus::Image* image_of(const resource_bitmap& bitmap);

struct image_deleter {
    void operator()(Gdiplus::Image* image) const;
};
using unique_image = std::unique_ptr<Gdiplus::Image, image_deleter>;
// A picture file decoded by GDI+, or null when it cannot be decoded.
unique_image load_image_file(const std::string& path);

// The named picture scaled to 26 x 26 at 4, 2 inside a 32 x 32 box (scaled with the DPI).
void draw_resource_png(HWND dialog, int id, const std::string& name);
// The image scaled to the box's size less 6 pixels each way, at 0, 0.
void draw_image_in_control(HWND dialog, int id, Gdiplus::Image* image);
// Empties the picture box.
void clear_picture(HWND dialog, int id);
