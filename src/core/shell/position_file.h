#pragma once
// The remembered position of the main window: two decimal lines, x then y.
#include <optional>
#include <string>

namespace shell {

struct point {
    int x = 0;
    int y = 0;
};

std::string format_position(point p);
// No position (missing, empty, or both zero) means: open centred.
std::optional<point> parse_position(const std::string& file_text);

}  // namespace shell
