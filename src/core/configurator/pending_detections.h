#pragma once
// An Autodetect's result waits a moment before it is shown. Whatever the user chooses with
// Browse meanwhile is the later word: the waiting result of that section is dropped.
#include <array>
#include <optional>
#include <string>

#include "core/configurator/configurator_texts.h"

namespace configurator {

class pending_detections {
public:
    // The section's detection has ended with this folder ("" when nothing was found).
    void start(tool_section section, std::string found);
    // The user chose a folder for the section: a result still waiting is dropped.
    void user_chose(tool_section section);
    // The waiting result, handed out once; nothing when it was dropped or never waited.
    std::optional<std::string> take(tool_section section);

private:
    std::array<std::optional<std::string>, 3> waiting_;
};

}  // namespace configurator
