#include "core/viewer/window_geometry.h"

#include <algorithm>

namespace viewer {

area initial_window(const arguments& args, const area& screen, const area& work) {
    area w;
    w.width = std::max(kMinimumSize, args.width.value_or(kDefaultWidth));
    w.height = std::max(kMinimumSize, args.height.value_or(kDefaultHeight));
    if (work.width > 0) w.width = std::min(w.width, work.width);
    if (work.height > 0) w.height = std::min(w.height, work.height);
    w.left = screen.left + (screen.width - w.width) / 2;
    w.top = screen.top + (screen.height - w.height) / 2;
    // Keep the whole window, title bar first, inside the work area.
    if (work.width > 0) {
        w.left = std::min(w.left, work.left + work.width - w.width);
        w.left = std::max(w.left, work.left);
    }
    if (work.height > 0) {
        w.top = std::min(w.top, work.top + work.height - w.height);
        w.top = std::max(w.top, work.top);
    }
    return w;
}

}  // namespace viewer
