#pragma once
// Owners for GDI objects and for the GDI+ session.
#include <windows.h>

#include <utility>

namespace winui {

template <typename T>
class unique_gdi {
public:
    explicit unique_gdi(T h = nullptr) : h_(h) {}
    ~unique_gdi() { reset(); }
    unique_gdi(const unique_gdi&) = delete;
    unique_gdi& operator=(const unique_gdi&) = delete;
    unique_gdi(unique_gdi&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    unique_gdi& operator=(unique_gdi&& o) noexcept {
        if (this != &o) {
            reset();
            h_ = std::exchange(o.h_, nullptr);
        }
        return *this;
    }
    T get() const { return h_; }
    T release() { return std::exchange(h_, nullptr); }
    void reset(T h = nullptr) {
        if (h_) DeleteObject(h_);
        h_ = h;
    }

private:
    T h_;
};

using unique_font = unique_gdi<HFONT>;
using unique_bitmap = unique_gdi<HBITMAP>;
using unique_brush = unique_gdi<HBRUSH>;

// Starts GDI+ once per process, after any picture prefetch has ended; it stays up until the
// process ends.
void start_gdiplus();

}  // namespace winui
