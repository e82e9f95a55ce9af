#pragma once
// Moving pictures between GDI+ and the portable resampler: the decoded pixels of a picture,
// PNG files written safely, and resampled pictures shown in picture boxes.
#include <windows.h>

#include <memory>
#include <string>

#include "core/assets/picture_resample.h"
#include "winui/gdi_handles.h"
#include "winui/pictures.h"

namespace vexlo {

// The class identifier of the first image encoder whose MIME type contains mime (any letter
// case); all zero when there is none.
CLSID find_encoder_clsid(const std::string& mime);

// The picture's own pixels at full size as 32-bit ARGB, read in place while this object lives
// (the bitmap stays locked for reading): no copy of a large picture is made, and a thumbnail
// stored in the file is never looked at.
class locked_picture {
public:
    explicit locked_picture(Gdiplus::Image* image);
    ~locked_picture();
    locked_picture(const locked_picture&) = delete;
    locked_picture& operator=(const locked_picture&) = delete;
    bool ok() const { return view_.data != nullptr; }
    const assets::bgra_view& view() const { return view_; }

private:
    struct lock;  // the GDI+ records, kept out of this header
    std::unique_ptr<lock> lock_;
    assets::bgra_view view_;
};

// The pixels encoded as a PNG file's bytes (alpha kept); "" when they cannot be.
std::string encode_png(const assets::bgra_picture& pixels);

// Encodes the pixels as PNG and writes the file through a temporary file, so a failure leaves
// an existing file intact.
bool save_png_file(const assets::bgra_picture& pixels, const std::string& path);

// A GDI+ bitmap holding the pixels, for drawing.
winui::unique_image image_from_pixels(const assets::bgra_picture& pixels);

// The pixels blended over a solid colour, as a bitmap a static control can show.
winui::unique_bitmap blended_bitmap(const assets::bgra_picture& pixels, COLORREF background);

}  // namespace vexlo
