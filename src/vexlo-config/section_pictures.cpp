#include "vexlo-config/section_pictures.h"

#include <objidl.h>
#include <gdiplus.h>

#include "vexlo-config/control_ids.h"
#include "winui/dpi.h"
#include "winui/pictures.h"

namespace {

constexpr int kBoxes[4] = {id_jdk_picture, id_sdk_picture, id_ant_picture, id_keystore_picture};
constexpr const char* kNames[4] = {"JDK", "ASDK", "ANT", "KEYSTORE"};
constexpr int kBox = 100;  // the picture boxes' size at 96 DPI

// The picture as draw_image_in_control shows it: scaled to the box less 6 pixels each way, on
// the dialog colour.
HBITMAP render(const char* name, UINT dpi) {
    const int box = scale(kBox, dpi);
    const int size = box - scale(6, dpi);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = box;
    info.bmiHeader.biHeight = -box;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const RECT all{0, 0, box, box};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    if (const unique_resource_bitmap picture = load_png_resource(name)) {
        Gdiplus::Graphics graphics(dc);
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHighQuality);
        graphics.DrawImage(image_of(*picture), 0, 0, size, size);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

}  // namespace

UINT section_pictures::system_dpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

void section_pictures::start(UINT dpi) {
    dpi_ = dpi;
    try {
        thread_ = std::thread([this, dpi] {
            for (int i = 0; i < 4; ++i) pictures_[static_cast<std::size_t>(i)] = render(kNames[i], dpi);
        });
    } catch (...) {
        dpi_ = 0;  // no thread: the pictures are drawn when they are placed
    }
}

void section_pictures::finish() {
    if (thread_.joinable()) thread_.join();
}

void section_pictures::place(HWND window) {
    finish();
    const UINT dpi = window_dpi(window);
    for (int i = 0; i < 4; ++i) {
        HBITMAP& picture = pictures_[static_cast<std::size_t>(i)];
        if (dpi != dpi_ || !picture) {
            const unique_resource_bitmap png = load_png_resource(kNames[i]);
            draw_image_in_control(window, kBoxes[i], png ? image_of(*png) : nullptr);
            continue;
        }
        HWND box = GetDlgItem(window, kBoxes[i]);
        const auto previous = reinterpret_cast<HBITMAP>(
            SendMessageW(box, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture)));
        picture = nullptr;  // the box owns it now
        if (previous) DeleteObject(previous);
    }
}

section_pictures::~section_pictures() {
    finish();
    for (HBITMAP p : pictures_)
        if (p) DeleteObject(p);
}
