#pragma once
// The viewer's command line: eight positional arguments, "-" standing for an omitted value in
// the first four.
#include <optional>
#include <string>
#include <vector>

namespace viewer {

struct arguments {
    bool debug = false;         // 1: anything but "-" shows the status strip
    std::string start_page;     // 2: "-" means "index.htm"; "" when nothing is to be loaded
    std::string page_argument;  // 2 as given (Home uses it)
    bool maximised = false;     // 5: "M"
    bool borderless = false;    // 6: "N": no border, no menus
    std::optional<int> height;  // 7: pixels; nothing keeps the default
    std::optional<int> width;   // 8
};

// The arguments after the program name, split as the shell splits them.
arguments parse_arguments(const std::vector<std::string>& args);

// A window size in pixels: decimal digits with spaces around them. Empty text, anything else
// and sizes below one pixel give nothing, so the default size stays.
std::optional<int> parse_size(const std::string& text);

}  // namespace viewer
