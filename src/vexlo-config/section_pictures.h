#pragma once
// The four section pictures ("JDK", "ASDK", "ANT", "KEYSTORE"): decoded and scaled on a thread
// of their own while the window builds its controls, then placed into their picture boxes.
#include <windows.h>

#include <array>
#include <thread>

class section_pictures {
public:
    section_pictures() = default;
    section_pictures(const section_pictures&) = delete;
    section_pictures& operator=(const section_pictures&) = delete;
    ~section_pictures();

    // Starts rendering for picture boxes at this DPI (GDI+ must be running).
    void start(UINT dpi);
    // Puts the pictures into the window's four picture boxes, waiting for the rendering if it
    // has not finished; draws them here when the window's DPI is not the one rendered for.
    void place(HWND window);

    // The DPI of the screen the window will most likely open on.
    static UINT system_dpi();

private:
    void finish();
    std::thread thread_;
    UINT dpi_ = 0;
    std::array<HBITMAP, 4> pictures_{};
};
