#pragma once
// adb's output split into lines: it ends them with LF, CR LF, or (through a console that
// adds its own) CR CR LF, so every CR and LF ends a line; empty lines are dropped.
#include <string_view>
#include <vector>

namespace device {

std::vector<std::string_view> output_lines(std::string_view output);

}  // namespace device
