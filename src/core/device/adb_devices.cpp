#include "core/device/adb_devices.h"

#include "core/device/tool_output.h"

namespace device {

namespace {

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// The words adb writes in the state column.
constexpr std::string_view kStates[] = {"device",     "unauthorized", "offline", "bootloader",
                                        "recovery",   "sideload",     "host",    "authorizing",
                                        "connecting", "rescue",       "unknown", "no permissions"};

std::string_view next_word(std::string_view line, std::size_t& at) {
    while (at < line.size() && is_blank(line[at])) ++at;
    const std::size_t start = at;
    while (at < line.size() && !is_blank(line[at])) ++at;
    return line.substr(start, at - start);
}

}  // namespace

std::vector<adb_device> read_device_list(std::string_view output) {
    std::vector<adb_device> devices;
    bool in_list = false;
    for (std::string_view line : output_lines(output)) {
        while (!line.empty() && is_blank(line.back())) line.remove_suffix(1);
        if (line.rfind("List of devices attached", 0) == 0) {
            in_list = true;
            continue;
        }
        if (!in_list || line.empty() || line[0] == '*') continue;
        std::size_t at = 0;
        adb_device d;
        d.serial = std::string(next_word(line, at));
        std::size_t state_start = at;
        while (state_start < line.size() && is_blank(line[state_start])) ++state_start;
        const std::string_view rest = line.substr(state_start);
        std::string_view state;
        for (std::string_view s : kStates)
            if (rest.rfind(s, 0) == 0 && (rest.size() == s.size() || is_blank(rest[s.size()])))
                state = s;
        if (d.serial.empty() || state.empty()) continue;
        d.state = std::string(state);
        at = state_start + state.size();
        // "no permissions" is followed by a reason in parentheses: nothing to read there.
        if (state == "no permissions") {
            devices.push_back(std::move(d));
            continue;
        }
        for (std::string_view word = next_word(line, at); !word.empty(); word = next_word(line, at))
            if (word.rfind("model:", 0) == 0) d.model = std::string(word.substr(6));
        devices.push_back(std::move(d));
    }
    return devices;
}

std::string device_name(const adb_device& device) {
    if (device.model.empty()) return device.serial;
    std::string name = device.model;
    for (char& c : name)
        if (c == '_') c = ' ';
    return name;
}

}  // namespace device
