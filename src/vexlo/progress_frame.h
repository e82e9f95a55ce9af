#pragma once
// What the compile's and the phone's progress dialogs share: the animation, a bold title, a
// step line and Cancel on a pale background, the animation moving every 100 ms.
#include <windows.h>

#include <string>

#include "vexlo/loadbar_frames.h"
#include "winui/gdi_handles.h"

namespace vexlo {

struct progress_look {
    std::string title;
    std::string step;
    bool title_ellipsis = false;  // a long title ends in "..."
    int step_width = 80;          // dialog units
    bool animation_shown = true;  // else shown once the work has started
};

class progress_frame {
public:
    // Makes the controls and starts the animation's timer.
    void create(HWND dialog, const progress_look& look);
    void show_next_frame(HWND dialog);
    void show_first_frame(HWND dialog);
    void stop(HWND dialog);
    // The frame's colours for WM_CTLCOLORDLG and WM_CTLCOLORSTATIC; false for other messages.
    bool colour(UINT message, WPARAM wparam, INT_PTR& result) const;

private:
    loadbar_frames frames_;
    winui::unique_brush background_{CreateSolidBrush(RGB(241, 245, 248))};
    winui::unique_font bold_;
    winui::unique_font regular_;
};

}  // namespace vexlo
