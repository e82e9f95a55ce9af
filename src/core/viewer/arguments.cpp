#include "core/viewer/arguments.h"

namespace viewer {

std::optional<int> parse_size(const std::string& text) {
    std::size_t i = 0, end = text.size();
    while (i < end && text[i] == ' ') ++i;
    while (end > i && text[end - 1] == ' ') --end;
    if (i < end && text[i] == '+') ++i;
    if (i == end) return std::nullopt;
    long value = 0;
    for (; i < end; ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        value = value * 10 + (text[i] - '0');
        if (value > 100000) return std::nullopt;  // no screen is that large
    }
    if (value < 1) return std::nullopt;
    return static_cast<int>(value);
}

arguments parse_arguments(const std::vector<std::string>& args) {
    auto at = [&](std::size_t position) {  // 1-based; an absent argument is empty
        return position <= args.size() ? args[position - 1] : std::string();
    };
    arguments a;
    a.debug = at(1) != "-";
    a.page_argument = at(2);
    if (a.page_argument == "-")
        a.start_page = "index.htm";
    else if (a.page_argument.size() >= 2)
        a.start_page = a.page_argument;
    a.maximised = at(5) == "M";
    a.borderless = at(6) == "N";
    a.height = parse_size(at(7));
    a.width = parse_size(at(8));
    return a;
}

}  // namespace viewer
