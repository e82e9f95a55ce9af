#include "core/configurator/pending_detections.h"

#include <utility>

namespace configurator {

void pending_detections::start(tool_section section, std::string found) {
    waiting_[static_cast<int>(section)] = std::move(found);
}

void pending_detections::user_chose(tool_section section) {
    waiting_[static_cast<int>(section)].reset();
}

std::optional<std::string> pending_detections::take(tool_section section) {
    return std::exchange(waiting_[static_cast<int>(section)], std::nullopt);
}

}  // namespace configurator
