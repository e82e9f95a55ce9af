#include "lumo/picture.h"

#include <objidl.h>  // before GDI+, which needs it and the lean Windows headers leave it out
#include <gdiplus.h>

#include "platform/win32/utf16.h"
#include "core/text/text_helpers.h"

namespace lumo {

std::unique_ptr<picture> picture::load(const std::string& path) {
    HBITMAP handle = nullptr;
    int width = 0, height = 0;
    {
        // The GDI+ bitmap keeps the file open; it is copied into a GDI bitmap and let go.
        Gdiplus::Bitmap source(platform::widen(path).c_str());
        if (source.GetLastStatus() != Gdiplus::Ok) return nullptr;
        width = static_cast<int>(source.GetWidth());
        height = static_cast<int>(source.GetHeight());
        if (width <= 0 || height <= 0) return nullptr;
        if (source.GetHBITMAP(Gdiplus::Color(255, 255, 255, 255), &handle) != Gdiplus::Ok)
            return nullptr;
    }
    auto p = std::unique_ptr<picture>(new picture());
    p->bitmap_.reset(handle);
    p->width_ = width;
    p->height_ = height;
    return p;
}

bool is_picture_file(const std::string& path) {
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || path.find_first_of("\\/", dot) != std::string::npos)
        return false;
    const std::string ext = text::to_lower_ascii(path.substr(dot));
    return ext == ".gif" || ext == ".jpg" || ext == ".jpeg" || ext == ".bmp" || ext == ".png";
}

}  // namespace lumo
