#pragma once
// Resampling of pictures with transparency for icons and drawables: bicubic (Catmull-Rom)
// on premultiplied colours, so transparent pixels never bleed their colour into the edges,
// and with the kernel widened by the shrink factor when shrinking (the prefilter that keeps a
// 1024-pixel picture from aliasing when it becomes a 36-pixel icon).
#include <cstddef>
#include <cstdint>
#include <vector>

namespace assets {

// Pixels of 32 bits in memory order B, G, R, A, not premultiplied, rows top to bottom (the
// layout of a 32-bit ARGB bitmap), seen where they lie.
struct bgra_view {
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;  // bytes from one row to the next
    const std::uint8_t* data = nullptr;
};

// The same pixels owned, rows without gaps.
struct bgra_picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // width * height * 4 bytes
    bgra_view view() const;
};

// A picture ready to be resampled to several sizes. A large shrink first halves the picture
// (2 x 2 averages of premultiplied colours) while it stays at least twice the target size,
// then the widened bicubic does the rest: the same smooth result for a fraction of the work
// and of the memory. The halved pictures are made on first need and kept for the next sizes,
// so an object is not for use by two threads at once. The viewed pixels must stay in place
// for as long as the object is used.
class resample_source {
public:
    explicit resample_source(const bgra_view& picture);
    int width() const { return picture_.width; }
    int height() const { return picture_.height; }
    // The picture resampled to width x height pixels (each at least 1).
    bgra_picture resampled(int width, int height);

private:
    struct level {
        int width = 0;  // 0 until made
        int height = 0;
        std::vector<float> premultiplied;  // B, G, R, A per pixel, each 0..255
    };
    const level& level_for(int width, int height);
    const level& make_level(std::size_t k);

    bgra_view picture_;
    std::vector<level> levels_;  // levels_[k]: the picture halved k times
    std::vector<float> rows_;    // scratch of the row pass, kept between sizes
};

}  // namespace assets
