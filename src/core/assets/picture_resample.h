#pragma once
// Resampling of pictures with transparency for icons and drawables: bicubic (Catmull-Rom)
// on premultiplied colours, so transparent pixels never bleed their colour into the edges,
// and with the kernel widened by the shrink factor when shrinking (the prefilter that keeps a
// 1024-pixel picture from aliasing when it becomes a 36-pixel icon).
#include <cstdint>
#include <vector>

namespace assets {

// 32-bit pixels in memory order B, G, R, A, not premultiplied, rows top to bottom without gaps
// (the layout of a 32-bit ARGB bitmap).
struct bgra_picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // width * height * 4 bytes
};

// A picture converted once into premultiplied floating-point colours, ready to be resampled
// to several sizes.
class resample_source {
public:
    explicit resample_source(const bgra_picture& picture);
    int width() const { return width_; }
    int height() const { return height_; }
    // The picture resampled to width x height pixels (each at least 1).
    bgra_picture resampled(int width, int height) const;

private:
    int width_;
    int height_;
    std::vector<float> premultiplied_;  // B, G, R, A per pixel, each 0..255
};

}  // namespace assets
