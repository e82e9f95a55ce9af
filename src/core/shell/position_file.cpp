#include "core/shell/position_file.h"

#include <vector>

#include "core/text/text_helpers.h"

namespace shell {

std::string format_position(point p) {
    return std::to_string(p.x) + "\r\n" + std::to_string(p.y) + "\r\n";
}

std::optional<point> parse_position(const std::string& file_text) {
    const std::vector<std::string> lines = text::split_lines(file_text);
    point p;
    p.x = static_cast<int>(text::leading_number(lines[0]));
    p.y = lines.size() > 1 ? static_cast<int>(text::leading_number(lines[1])) : 0;
    if (p.x == 0 && p.y == 0) return std::nullopt;
    return p;
}

}  // namespace shell
