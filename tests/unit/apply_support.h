#pragma once
// Loading a project record and applying edits to it, as the main window does.
#include <string>

#include "core/project/apply_changes.h"
#include "core/project/project_loader.h"
#include "platform/platform.h"

namespace testing_support {

inline project::project_state loaded_record(const std::string& folder) {
    project::project_state state;
    state.project_folder = folder;
    project::store_loaded(project::load_project_files(folder), state);
    return state;
}

// Applies what differs between the record as loaded and as edited.
inline project::apply_result apply_edits(const project::project_state& before,
                                         const project::project_state& edited) {
    return project::apply_project_changes(edited, project::changes_between(before, edited));
}

inline std::string regression(const std::string& name) {
    std::string bytes;
    platform::read_file(std::string(VEXLO_FIXTURES) + "\\regressions\\" + name, bytes);
    return bytes;
}

}  // namespace testing_support
