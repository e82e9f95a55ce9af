#include "vexlo/picture_files.h"

#include <objidl.h>
#include <gdiplus.h>

#include <cstring>
#include <vector>

#include "core/text/text_helpers.h"
#include "platform/platform.h"
#include "platform/win32/utf16.h"

namespace vexlo {

CLSID find_encoder_clsid(const std::string& mime) {
    CLSID none{};
    UINT count = 0, size = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) return none;
    std::vector<BYTE> table(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(table.data());
    if (Gdiplus::GetImageEncoders(count, size, codecs) != Gdiplus::Ok) return none;
    const std::string wanted = text::to_upper_ascii(mime);
    for (UINT i = 0; i < count; ++i) {
        if (!codecs[i].MimeType) continue;
        if (text::to_upper_ascii(platform::narrow(codecs[i].MimeType)).find(wanted) !=
            std::string::npos)
            return codecs[i].Clsid;
    }
    return none;
}

struct locked_picture::lock {
    std::unique_ptr<Gdiplus::Bitmap> canvas;  // for pictures that are not bitmaps
    Gdiplus::Bitmap* locked = nullptr;
    Gdiplus::BitmapData data{};
};

locked_picture::locked_picture(Gdiplus::Image* image) : lock_(std::make_unique<lock>()) {
    if (!image) return;
    const int width = static_cast<int>(image->GetWidth());
    const int height = static_cast<int>(image->GetHeight());
    if (width <= 0 || height <= 0) return;
    Gdiplus::Bitmap* bitmap = nullptr;
    if (image->GetType() == Gdiplus::ImageTypeBitmap) {
        bitmap = static_cast<Gdiplus::Bitmap*>(image);
    } else {  // drawn 1:1 into a fresh ARGB bitmap first
        lock_->canvas = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppARGB);
        if (lock_->canvas->GetLastStatus() != Gdiplus::Ok) return;
        Gdiplus::Graphics graphics(lock_->canvas.get());
        graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
        if (graphics.DrawImage(image, Gdiplus::Rect(0, 0, width, height), 0, 0, width, height,
                               Gdiplus::UnitPixel) != Gdiplus::Ok)
            return;
        bitmap = lock_->canvas.get();
    }
    // Any source format (indexed, CMYK, with or without alpha) arrives as 32-bit ARGB.
    Gdiplus::Rect all(0, 0, width, height);
    if (bitmap->LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &lock_->data) !=
        Gdiplus::Ok)
        return;
    lock_->locked = bitmap;
    view_.width = width;
    view_.height = height;
    view_.stride = lock_->data.Stride;
    view_.data = static_cast<const std::uint8_t*>(lock_->data.Scan0);
}

locked_picture::~locked_picture() {
    if (lock_->locked) lock_->locked->UnlockBits(&lock_->data);
}

namespace {
// A bitmap over the pixels' own memory; it must not outlive them.
std::unique_ptr<Gdiplus::Bitmap> wrap(const assets::bgra_picture& pixels) {
    return std::make_unique<Gdiplus::Bitmap>(
        pixels.width, pixels.height, pixels.width * 4, PixelFormat32bppARGB,
        const_cast<BYTE*>(reinterpret_cast<const BYTE*>(pixels.pixels.data())));
}
}  // namespace

std::string encode_png(const assets::bgra_picture& pixels) {
    if (pixels.width <= 0 || pixels.height <= 0) return "";
    const CLSID png = find_encoder_clsid("image/png");
    const auto bitmap = wrap(pixels);
    if (bitmap->GetLastStatus() != Gdiplus::Ok) return "";
    IStream* stream = nullptr;
    if (CreateStreamOnHGlobal(nullptr, TRUE, &stream) != S_OK) return "";
    std::string bytes;
    bool encoded = bitmap->Save(stream, &png, nullptr) == Gdiplus::Ok;
    HGLOBAL memory = nullptr;
    if (encoded && GetHGlobalFromStream(stream, &memory) == S_OK) {
        STATSTG stat{};
        stream->Stat(&stat, STATFLAG_NONAME);
        const void* data = GlobalLock(memory);
        if (data) {
            bytes.assign(static_cast<const char*>(data),
                         static_cast<std::size_t>(stat.cbSize.QuadPart));
            GlobalUnlock(memory);
        }
    }
    stream->Release();
    return encoded ? bytes : std::string();
}

bool save_png_file(const assets::bgra_picture& pixels, const std::string& path) {
    const std::string bytes = encode_png(pixels);
    return !bytes.empty() && platform::write_file_safely(path, bytes);
}

winui::unique_image image_from_pixels(const assets::bgra_picture& pixels) {
    if (pixels.width <= 0 || pixels.height <= 0) return nullptr;
    // A copy that owns its memory, unlike the wrapper above.
    winui::unique_image image(
        wrap(pixels)->Clone(0, 0, pixels.width, pixels.height, PixelFormat32bppARGB));
    return image;
}

winui::unique_bitmap blended_bitmap(const assets::bgra_picture& pixels, COLORREF background) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = pixels.width;
    info.bmiHeader.biHeight = -pixels.height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    winui::unique_bitmap bitmap(
        CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap.get() || !bits) return winui::unique_bitmap();
    const int back[3] = {GetBValue(background), GetGValue(background), GetRValue(background)};
    auto* out = static_cast<BYTE*>(bits);
    for (std::size_t i = 0; i < pixels.pixels.size(); i += 4) {
        const int a = pixels.pixels[i + 3];
        for (int c = 0; c < 3; ++c)
            out[i + c] =
                static_cast<BYTE>((pixels.pixels[i + c] * a + back[c] * (255 - a) + 127) / 255);
        out[i + 3] = 0;
    }
    return bitmap;
}

}  // namespace vexlo
