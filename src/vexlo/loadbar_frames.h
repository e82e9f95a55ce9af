#pragma once
// The ten animation frames of the progress dialogs ("LOADBAR00" to "LOADBAR09").
#include <windows.h>

#include <array>

namespace vexlo {

// One frame counter for the whole program: each dialog goes on where the last one stopped.
int next_loadbar_frame();

// The frames loaded from the program's bitmap resources, freed with the object.
class loadbar_frames {
public:
    loadbar_frames();
    ~loadbar_frames();
    loadbar_frames(const loadbar_frames&) = delete;
    loadbar_frames& operator=(const loadbar_frames&) = delete;
    HBITMAP frame(int index) const { return frames_[static_cast<std::size_t>(index) % 10]; }

private:
    std::array<HBITMAP, 10> frames_{};
};

}  // namespace vexlo
