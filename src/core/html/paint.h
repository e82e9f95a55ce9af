#pragma once
// Paints the part of a laid-out page that a view shows.
#include <vector>

#include "core/html/hit_test.h"
#include "core/html/layout.h"
#include "core/html/painter.h"

namespace html {

struct view_state {
    int scroll_y = 0;  // page coordinate shown at the top of the view
    int width = 0;
    int height = 0;
    const std::vector<bool>* checks = nullptr;  // state of each check box
    text_position selection_from;               // equal ends: no selection
    text_position selection_to;
    int focused_link = -1;
    rgb selection_color = 0xADD6FF;
    // Only this band of the view (view coordinates) needs painting; -1: to the bottom.
    int clip_top = 0;
    int clip_bottom = -1;
};

inline constexpr rgb kRuleColor = 0xA0A0A0;

void paint(const layout& l, const view_state& view, painter& p, font_metrics& metrics);

}  // namespace html
