#include "winui/pictures.h"

#include <objidl.h>
#include <gdiplus.h>

#include "core/text/text_helpers.h"
#include "platform/win32/utf16.h"
#include "winui/dpi.h"
#include "winui/gdi_handles.h"

struct resource_bitmap {
    HGLOBAL memory = nullptr;
    Gdiplus::Bitmap* bitmap = nullptr;
};

void resource_bitmap_deleter::operator()(resource_bitmap* b) const {
    delete b->bitmap;  // before the memory its stream reads from
    if (b->memory) GlobalFree(b->memory);
    delete b;
}

Gdiplus::Image* image_of(const resource_bitmap& bitmap) { return bitmap.bitmap; }

void image_deleter::operator()(Gdiplus::Image* image) const { delete image; }

void start_gdiplus() {
    static ULONG_PTR token = 0;
    if (token) return;
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
}

unique_resource_bitmap load_png_resource(const std::string& name) {
    const HMODULE module = GetModuleHandleW(nullptr);
    const std::wstring wname = widen(text::trim_spaces(name));
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

unique_image load_image_file(const std::string& path) {
    unique_image image(Gdiplus::Image::FromFile(widen(path).c_str()));
    if (!image || image->GetLastStatus() != Gdiplus::Ok || image->GetWidth() == 0) return nullptr;
    return image;
}

namespace {

// Renders into a 24-bit bitmap pre-blended on the dialog colour and hands it to the static
// control, which then repaints it by itself.
void show_in_box(HWND dialog, int id, Gdiplus::Image* image, int x, int y, int w, int h) {
    HWND box = GetDlgItem(dialog, id);
    RECT r{};
    GetClientRect(box, &r);
    const int bw = r.right > 0 ? r.right : 1, bh = r.bottom > 0 ? r.bottom : 1;
    HDC screen = GetDC(box);
    unique_bitmap bitmap(CreateCompatibleBitmap(screen, bw, bh));
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, bitmap.get());
    FillRect(memory, &r, GetSysColorBrush(COLOR_BTNFACE));
    if (image) {
        Gdiplus::Graphics graphics(memory);
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHighQuality);
        graphics.DrawImage(image, x, y, w, h);
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(box, screen);
    HBITMAP previous = reinterpret_cast<HBITMAP>(
        SendMessageW(box, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.get())));
    bitmap.release();
    if (previous) DeleteObject(previous);
    InvalidateRect(box, nullptr, TRUE);
}

}  // namespace

void draw_resource_png(HWND dialog, int id, const std::string& name) {
    const unique_resource_bitmap picture = load_png_resource(name);
    const UINT dpi = window_dpi(dialog);
    show_in_box(dialog, id, picture ? image_of(*picture) : nullptr, scale(4, dpi), scale(2, dpi),
                scale(26, dpi), scale(26, dpi));
}

void draw_image_in_control(HWND dialog, int id, Gdiplus::Image* image) {
    RECT r{};
    GetClientRect(GetDlgItem(dialog, id), &r);
    const int margin = scale(6, window_dpi(dialog));
    show_in_box(dialog, id, image, 0, 0, r.right - margin, r.bottom - margin);
}

void clear_picture(HWND dialog, int id) { show_in_box(dialog, id, nullptr, 0, 0, 0, 0); }
