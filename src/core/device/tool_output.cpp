#include "core/device/tool_output.h"

namespace device {

std::vector<std::string_view> output_lines(std::string_view output) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= output.size(); ++i) {
        if (i < output.size() && output[i] != '\r' && output[i] != '\n') continue;
        if (i > start) lines.push_back(output.substr(start, i - start));
        start = i + 1;
    }
    return lines;
}

}  // namespace device
