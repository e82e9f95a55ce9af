#pragma once
// The window procedure of an object that owns its window. The object comes as CreateWindowExW's
// creation parameter and is kept in GWLP_USERDATA; it learns its handle at WM_NCCREATE and
// forgets it at WM_NCDESTROY. The owner befriends this function and gives it window_ and
// handle(message, w, l).
#include <windows.h>

namespace lumo {

template <typename Owner>
LRESULT dispatch_to_owner(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Owner*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, w, l);
    if (message == WM_NCDESTROY) {
        self->window_ = nullptr;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return DefWindowProcW(window, message, w, l);
    }
    try {
        return self->handle(message, w, l);
    } catch (...) {
        return 0;  // no error dialog: the failing step just stops and the viewer carries on
    }
}

}  // namespace lumo
