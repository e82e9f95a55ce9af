#include "core/assets/icon_plan.h"

#include "core/assets/project_layout.h"
#include "platform/platform.h"

namespace assets {

const std::array<icon_output, 6>& app_icon_outputs() {
    static const std::array<icon_output, 6> outputs{{
        {"drawable-xxxhdpi", 192},
        {"drawable-xxhdpi", 144},
        {"drawable-xhdpi", 96},
        {"drawable-hdpi", 72},
        {"drawable-mdpi", 48},
        {"drawable-ldpi", 36},
    }};
    return outputs;
}

std::vector<planned_icon> plan_app_icons(const std::string& project_folder) {
    std::vector<planned_icon> plan;
    for (const icon_output& output : app_icon_outputs()) {
        const std::string folder = project_folder + kResFolder + output.density_folder;
        if (platform::is_directory(folder)) plan.push_back({folder + "\\icon.png", output.size});
    }
    return plan;
}

bool is_square_picture(int width, int height) {
    return width > 0 && width == height;
}

std::string not_square_message() {
    return "Not a square image\r\rPlease choose a square image of at least 72x72 pixels";
}

std::string unloadable_picture_message() {
    return "Impossible to load this picture";
}

std::string icons_done_message(const write_outcome& outcome) {
    if (outcome.completed()) return "Done !";
    return "The app icon could not be changed:\r" + write_problem_text(outcome);
}

}  // namespace assets
