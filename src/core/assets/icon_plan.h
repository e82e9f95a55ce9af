#pragma once
// The launcher icon of a BASIC!-based project: one square icon.png per screen density.
#include <array>
#include <string>
#include <vector>

#include "core/assets/project_writes.h"

namespace assets {

struct icon_output {
    const char* density_folder;  // below res\ in the project
    int size;                    // edge length in pixels
};
// Largest first: xxxhdpi 192, xxhdpi 144, xhdpi 96, hdpi 72, mdpi 48, ldpi 36.
const std::array<icon_output, 6>& app_icon_outputs();

struct planned_icon {
    std::string path;  // project + "res\" + density folder + "\icon.png"
    int size;
};
// The icons to write: only densities whose folder exists in the project (no folder is made).
std::vector<planned_icon> plan_app_icons(const std::string& project_folder);

// The square check shared by the icon and the drawable: any square picture passes.
bool is_square_picture(int width, int height);
std::string not_square_message();
std::string unloadable_picture_message();
// "Done !", or which icon file stopped the change and what became of the others.
std::string icons_done_message(const write_outcome& outcome);

}  // namespace assets
