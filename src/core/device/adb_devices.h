#pragma once
// What "adb devices -l" says: the phones it sees, each with its serial, its state and the model
// it reports. The daemon's chatter, the header and blank lines around the list are skipped.
#include <string>
#include <string_view>
#include <vector>

namespace device {

struct adb_device {
    std::string serial;
    std::string state;  // "device", "unauthorized", "offline", "no permissions", ...
    std::string model;  // "Pixel_7" as adb writes it; "" when not reported
};

// The devices listed after "List of devices attached". A line whose state is not one adb
// writes is no device line (a warning, garbage) and is left out; so is everything before the
// header, which is where the daemon's start-up lines stand.
std::vector<adb_device> read_device_list(std::string_view output);

// The name a user knows the phone by: its model with adb's underscores as spaces, or its
// serial when it reports no model.
std::string device_name(const adb_device& device);

}  // namespace device
