#include "vexlo/loadbar_frames.h"

#include <string>

int next_loadbar_frame() {
    static int frame = 0;  // GUI thread only
    frame = (frame + 1) % 10;
    return frame;
}

loadbar_frames::loadbar_frames() {
    const HINSTANCE module = GetModuleHandleW(nullptr);
    for (int i = 0; i < 10; ++i) {
        const std::wstring name = L"LOADBAR0" + std::to_wstring(i);
        frames_[static_cast<std::size_t>(i)] = static_cast<HBITMAP>(
            LoadImageW(module, name.c_str(), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    }
}

loadbar_frames::~loadbar_frames() {
    for (HBITMAP frame : frames_)
        if (frame) DeleteObject(frame);
}
