#include "vexlo/loadbar_frames.h"

#include <atomic>
#include <string>

namespace vexlo {

int next_loadbar_frame() {
    // The compile's dialog animates on its command thread, the others on the main window's;
    // they are never up at the same time, but the counter is shared all the same.
    static std::atomic<unsigned> frame{0};
    return static_cast<int>((frame.fetch_add(1) + 1) % 10);
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

}  // namespace vexlo
