#pragma once
// The decisions of the API target chooser ("Android SDK"): which of its three faces it shows,
// its texts, and what its buttons do to the chosen target id.
#include <string>
#include <vector>

#include "core/configurator/api_targets.h"

namespace configurator {

enum class chooser_mode {
    not_configured,  // no targets: the SDK manager must download one
    choose,          // targets, none chosen: a list and "Ok"
    chosen,          // a target is chosen: the list with it selected and "Change API"
};

chooser_mode chooser_mode_for(const std::vector<api_target>& targets, int api_target_id);

// The hint on opening the SDK manager: a folder the program cannot write to needs the SDK
// manager started as administrator.
std::string sdk_manager_hint(bool sdk_folder_writable);
// The headline for the mode.
std::string chooser_headline(chooser_mode mode, bool sdk_folder_writable);
// The second text of the chosen mode.
std::string chooser_second_text(bool sdk_folder_writable);

// "Ok" in choose mode: the id of the selected item; with nothing selected the choice is left
// as it was.
int id_after_ok(const std::vector<api_target>& targets, int selected_index, int current_id);

// "Change API" in chosen mode.
struct change_decision {
    bool accepted = false;  // true: the id changes and the chooser closes
    int api_target_id = 0;
    std::string warning;  // shown when the target is too low; the chooser stays open
};
change_decision change_api(const std::vector<api_target>& targets, int selected_index,
                           int current_id);
// Whether selecting an item enables "Change API": it names another target.
bool selection_differs(const std::vector<api_target>& targets, int selected_index, int current_id);

}  // namespace configurator
