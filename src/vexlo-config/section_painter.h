#pragma once
// Shows the sections' status in the main window: the coloured stripes, the path boxes on pale
// green or pink, the buttons the status enables and the faces of the configure buttons.
#include <windows.h>

#include <array>

#include "core/configurator/section_status.h"
#include "vexlo-config/main_window_layout.h"
#include "winui/gdi_handles.h"

namespace vexlo_config {

class section_painter {
public:
    section_painter();

    // Applies a computed status to the controls (on the window's thread).
    void apply(HWND window, const configurator::status_view& view,
               const main_window_resources& resources);

    // From now on each known path is also its box's tool-tip (the tool-tips wait until the
    // window has shown itself).
    void enable_path_tooltips(HWND window);

    // The colours of a stripe or a path box for WM_CTLCOLORSTATIC; null for other controls.
    HBRUSH colour(HWND control, HDC dc) const;

private:
    enum paint { none, red, orange, green, pale_green, pink, paint_count };
    void set_stripe(HWND window, int section, configurator::stripe_colour colour);
    void set_box(HWND window, int section, const configurator::section_view& view);

    std::array<winui::unique_brush, paint_count> brushes_;
    std::array<COLORREF, paint_count> colours_{};
    std::array<paint, 4> stripes_{none, none, none, none};
    std::array<paint, 4> boxes_{none, none, none, none};
    bool path_tooltips_ = false;
};

}  // namespace vexlo_config
