#include "core/configurator/api_chooser.h"

#include "core/configurator/api_check.h"

namespace configurator {
namespace {

const api_target* at(const std::vector<api_target>& targets, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= targets.size()) return nullptr;
    return &targets[static_cast<std::size_t>(index)];
}

}  // namespace

chooser_mode chooser_mode_for(const std::vector<api_target>& targets, int api_target_id) {
    if (targets.empty()) return chooser_mode::not_configured;
    return api_target_id == 0 ? chooser_mode::choose : chooser_mode::chosen;
}

std::string sdk_manager_hint(bool sdk_folder_writable) {
    return sdk_folder_writable ? "click on the button below"
                               : "click the button below then in the opened folder do a "
                                 "right-click on \"android.bat\" > Run As Admin";
}

std::string chooser_headline(chooser_mode mode, bool sdk_folder_writable) {
    switch (mode) {
        case chooser_mode::not_configured:
            return "Android SDK Manager has been correctly installed on your system but is not "
                   "configured yet:\rPlease " +
                   sdk_manager_hint(sdk_folder_writable) +
                   " in order to launch the SDK manager, and download a target package (e.g. "
                   "Android 4.1, API 16)";
        case chooser_mode::choose:
            return "More than one Android API have been installed on your system. Please choose "
                   "one for compilation:";
        case chooser_mode::chosen: break;
    }
    return "Android API chosen for compilation is:";
}

std::string chooser_second_text(bool sdk_folder_writable) {
    return "If you want to open the SDK manager, you can " + sdk_manager_hint(sdk_folder_writable);
}

int id_after_ok(const std::vector<api_target>& targets, int selected_index, int current_id) {
    const api_target* t = at(targets, selected_index);
    return t ? t->id : current_id;
}

bool selection_differs(const std::vector<api_target>& targets, int selected_index, int current_id) {
    const api_target* t = at(targets, selected_index);
    return t && t->id != current_id;
}

change_decision change_api(const std::vector<api_target>& targets, int selected_index,
                           int current_id) {
    change_decision d;
    d.api_target_id = current_id;
    const api_target* t = at(targets, selected_index);
    if (!t) return d;
    if (!api_level_ok(t->description, targets)) {
        d.warning = chosen_api_too_low_text(t->description, true);
        return d;
    }
    d.accepted = true;
    d.api_target_id = t->id;
    return d;
}

}  // namespace configurator
