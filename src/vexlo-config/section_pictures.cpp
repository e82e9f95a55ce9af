#include "vexlo-config/section_pictures.h"

#include <vector>

#include "vexlo-config/control_ids.h"
#include "winui/pictures.h"

namespace vexlo_config {

namespace {

constexpr int kBoxes[4] = {id_jdk_picture, id_sdk_picture, id_ant_picture, id_keystore_picture};
constexpr const char* kNames[4] = {"JDK", "ASDK", "ANT", "KEYSTORE"};
constexpr int kBox = 100;  // the picture boxes' size at 96 DPI

}  // namespace

void prerender_section_pictures() {
    std::vector<winui::picture_placement> placements;
    for (const char* name : kNames)
        placements.push_back(winui::fitted_picture_placement(name, kBox, kBox));
    winui::prerender_png_resources(std::move(placements));
}

void place_section_pictures(HWND window) {
    for (int i = 0; i < 4; ++i) winui::draw_resource_png_fitted(window, kBoxes[i], kNames[i]);
}

}  // namespace vexlo_config
