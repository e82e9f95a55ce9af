#include "core/device/install_offer.h"

#include "core/device/install_messages.h"

namespace device {

std::string told_key(const adb_device& device) {
    return device.serial + "\t" + device.state;
}

install_offer offer_for(const std::vector<adb_device>& devices, const std::set<std::string>& told) {
    install_offer offer;
    for (const adb_device& d : devices)
        if (d.state == "device") offer.ready.push_back(d);
    if (!offer.ready.empty()) {
        offer.kind = offer.ready.size() == 1 ? offer_kind::ask_one : offer_kind::choose;
        return offer;
    }
    // A phone the user plugged in is worth a word even though nothing can be installed on it;
    // the states that only pass (authorizing, connecting) or belong to no phone (host,
    // bootloader) are not.
    std::vector<adb_device> stuck;
    for (const adb_device& d : devices)
        if ((d.state == "unauthorized" || d.state == "offline" || d.state == "no permissions") &&
            told.count(told_key(d)) == 0) {
            stuck.push_back(d);
            offer.told.push_back(told_key(d));
        }
    if (stuck.empty()) return offer;
    offer.kind = offer_kind::tell;
    offer.message = not_ready_message(stuck);
    return offer;
}

}  // namespace device
