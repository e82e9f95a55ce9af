#pragma once
// The rules of the drawable dialog: its densities, the proposed name and the checks of OK.
#include <array>
#include <string>
#include <string_view>

#include "core/assets/project_writes.h"

namespace assets {

struct drawable_density {
    const char* folder;        // below res\ in the project
    const char* default_size;  // pixels, as the size box shows them
    const char* tooltip;
};
// In processing order: xhdpi, hdpi, mdpi, ldpi.
const std::array<drawable_density, 4>& drawable_densities();

// The name proposed for a picture file: its file name without the extension, passed through
// the file-name cleaning (forbidden characters dropped, accents folded).
std::string default_drawable_name(std::string_view picture_path);

enum class name_problem { none, empty, forbidden };
name_problem check_drawable_name(std::string_view name);
std::string name_problem_message(name_problem problem);

// A size box holds at most two characters; longer text is cut to its first two.
std::string limited_size_text(std::string_view text);
std::string size_label(std::string_view size_text);  // "x 72 pixels"
// The size in pixels, or 0 when the text is empty or its value is 0.
int drawable_size(std::string_view size_text);
std::string size_problem_message(std::string_view density_folder);

// The file a density receives: project + "res\" + folder + "\" + name + ".png".
std::string drawable_file(const std::string& project_folder, std::string_view density_folder,
                          std::string_view name);
std::string drawable_added_message();
// Which drawable file stopped the adding, and what became of the others.
std::string drawable_problem_message(const write_outcome& outcome);

}  // namespace assets
