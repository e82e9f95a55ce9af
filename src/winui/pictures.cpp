#include "winui/pictures.h"

#include <objidl.h>
#include <gdiplus.h>

#include <utility>
#include <vector>

#include "core/text/text_helpers.h"
#include "platform/win32/utf16.h"
#include "winui/background_job.h"
#include "winui/dpi.h"
#include "winui/gdi_handles.h"

namespace winui {

void image_deleter::operator()(Gdiplus::Image* image) const {
    delete image;
}

namespace {

// A GDI+ bitmap that keeps the memory its stream reads from alive as long as it lives.
struct resource_bitmap {
    HGLOBAL memory = nullptr;
    Gdiplus::Bitmap* bitmap = nullptr;
};

struct resource_bitmap_deleter {
    void operator()(resource_bitmap* b) const {
        delete b->bitmap;  // before the memory its stream reads from
        if (b->memory) GlobalFree(b->memory);
        delete b;
    }
};
using unique_resource_bitmap = std::unique_ptr<resource_bitmap, resource_bitmap_deleter>;

Gdiplus::Image* image_of(const resource_bitmap& bitmap) {
    return bitmap.bitmap;
}

void start_gdiplus_here() {
    static ULONG_PTR token = 0;
    if (token) return;
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
}

unique_resource_bitmap decode_png_resource(const std::string& name) {
    const HMODULE module = GetModuleHandleW(nullptr);
    const std::wstring wname = platform::widen(text::trim_spaces(name));
    HRSRC found = FindResourceW(module, wname.c_str(), MAKEINTRESOURCEW(10));
    if (!found) return nullptr;
    const DWORD size = SizeofResource(module, found);
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (size == 0 || !data) return nullptr;
    unique_resource_bitmap result(new resource_bitmap);
    result->memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!result->memory) return nullptr;
    void* target = GlobalLock(result->memory);
    memcpy(target, data, size);
    GlobalUnlock(result->memory);
    IStream* stream = nullptr;
    if (CreateStreamOnHGlobal(result->memory, FALSE, &stream) != S_OK) return nullptr;
    result->bitmap = Gdiplus::Bitmap::FromStream(stream);
    stream->Release();
    if (!result->bitmap || result->bitmap->GetLastStatus() != Gdiplus::Ok) return nullptr;
    return result;
}

// A picture rendered ahead for a box of a given size.
struct prerendered_picture {
    std::string name;
    int box_w, box_h, x, y, w, h;  // in pixels at the DPI rendered for
    unique_bitmap bitmap;
};

// Pictures rendered ahead on a background job. The job alone touches `rendered` until it has
// been joined; from then on only the window's thread does.
struct picture_prefetch {
    std::vector<prerendered_picture> rendered;
    winui::background_job worker;  // last: ends before `rendered` goes
};

picture_prefetch& prefetch() {
    static picture_prefetch p;
    return p;
}

// The DPI of the screen a new window most likely opens on.
UINT system_dpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

// The image scaled into (x, y, w, h) of a box-sized 24-bit bitmap on the dialog colour.
HBITMAP render_in_box(Gdiplus::Image* image, int box_w, int box_h, int x, int y, int w, int h) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = box_w > 0 ? box_w : 1;
    info.bmiHeader.biHeight = -(box_h > 0 ? box_h : 1);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const RECT all{0, 0, box_w, box_h};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    if (image) {
        Gdiplus::Graphics graphics(dc);
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHighQuality);
        graphics.DrawImage(image, x, y, w, h);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

// Hands the bitmap to the static control, which then repaints it by itself.
void give_to_box(HWND box, HBITMAP bitmap) {
    const auto previous = reinterpret_cast<HBITMAP>(
        SendMessageW(box, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    if (previous && previous != bitmap) DeleteObject(previous);
    InvalidateRect(box, nullptr, TRUE);
}

// Shows the named picture at (x, y, w, h) of the box: the one rendered ahead when it fits,
// else decoded and rendered now.
void show_resource_in_box(HWND box, const std::string& name, int x, int y, int w, int h) {
    RECT r{};
    GetClientRect(box, &r);
    start_gdiplus();
    for (prerendered_picture& p : prefetch().rendered) {
        if (p.bitmap.get() && p.name == name && p.box_w == r.right && p.box_h == r.bottom &&
            p.x == x && p.y == y && p.w == w && p.h == h) {
            give_to_box(box, p.bitmap.release());
            return;
        }
    }
    const unique_resource_bitmap picture = decode_png_resource(name);
    give_to_box(
        box, render_in_box(picture ? image_of(*picture) : nullptr, r.right, r.bottom, x, y, w, h));
}

}  // namespace

picture_placement button_picture_placement(std::string name, int box_w, int box_h) {
    return {std::move(name), box_w, box_h, 4, 2, 26, 26};
}

picture_placement fitted_picture_placement(std::string name, int box_w, int box_h) {
    return {std::move(name), box_w, box_h, 0, 0, box_w - 6, box_h - 6};
}

void prerender_png_resources(std::vector<picture_placement> placements) {
    picture_prefetch& p = prefetch();
    if (p.worker.started()) return;
    const UINT dpi = system_dpi();
    // Without a thread the pictures are rendered when they are drawn.
    p.worker.start([&p, placements = std::move(placements), dpi] {
        start_gdiplus_here();
        for (const picture_placement& place : placements) {
            const unique_resource_bitmap picture = decode_png_resource(place.name);
            prerendered_picture done{
                place.name,          scale(place.box_w, dpi), scale(place.box_h, dpi),
                scale(place.x, dpi), scale(place.y, dpi),     scale(place.w, dpi),
                scale(place.h, dpi), unique_bitmap()};
            done.bitmap.reset(render_in_box(picture ? image_of(*picture) : nullptr, done.box_w,
                                            done.box_h, done.x, done.y, done.w, done.h));
            p.rendered.push_back(std::move(done));
        }
    });
}

void start_gdiplus() {
    picture_prefetch& p = prefetch();
    p.worker.join();  // at once when it has ended or never started
    start_gdiplus_here();
}

unique_image load_image_file(const std::string& path) {
    start_gdiplus();
    unique_image image(Gdiplus::Image::FromFile(platform::widen(path).c_str()));
    if (!image || image->GetLastStatus() != Gdiplus::Ok || image->GetWidth() == 0) return nullptr;
    return image;
}

void draw_resource_png(HWND dialog, int id, const std::string& name) {
    const UINT dpi = window_dpi(dialog);
    show_resource_in_box(GetDlgItem(dialog, id), name, scale(4, dpi), scale(2, dpi), scale(26, dpi),
                         scale(26, dpi));
}

void draw_resource_png_fitted(HWND dialog, int id, const std::string& name) {
    RECT r{};
    HWND box = GetDlgItem(dialog, id);
    GetClientRect(box, &r);
    const int margin = scale(6, window_dpi(dialog));
    show_resource_in_box(box, name, 0, 0, r.right - margin, r.bottom - margin);
}

void draw_image_in_control(HWND dialog, int id, Gdiplus::Image* image) {
    RECT r{};
    HWND box = GetDlgItem(dialog, id);
    GetClientRect(box, &r);
    const int margin = scale(6, window_dpi(dialog));
    give_to_box(box,
                render_in_box(image, r.right, r.bottom, 0, 0, r.right - margin, r.bottom - margin));
}

void clear_picture(HWND dialog, int id) {
    RECT r{};
    HWND box = GetDlgItem(dialog, id);
    GetClientRect(box, &r);
    give_to_box(box, render_in_box(nullptr, r.right, r.bottom, 0, 0, 0, 0));
}

}  // namespace winui
