#pragma once
// What the user is asked once the list of connected devices is known, after a successful
// compile: nothing, whether to install on the one phone, which of several phones to install
// on, or (a phone is plugged in but cannot take the APK yet) what to do about it.
#include <set>
#include <string>
#include <vector>

#include "core/device/adb_devices.h"

namespace device {

enum class offer_kind {
    nothing,  // no adb, no device, or only devices the user has been told about already
    ask_one,  // one phone ready: a yes/no question
    choose,   // several phones ready: the user picks one
    tell,     // only phones that are not ready: said plainly, once
};

struct install_offer {
    offer_kind kind = offer_kind::nothing;
    std::vector<adb_device> ready;  // the devices in the "device" state, in adb's order
    std::string message;            // offer_kind::tell: the text for the user
    std::vector<std::string> told;  // what to add to the told set once it has been shown
};

// `told` holds what earlier compiles have said already (see told_key): a phone left
// unauthorized or offline is mentioned once, not after every compile.
install_offer offer_for(const std::vector<adb_device>& devices, const std::set<std::string>& told);

// The key of a device in a state the user has been told about.
std::string told_key(const adb_device& device);

}  // namespace device
