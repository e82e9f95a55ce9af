#pragma once
// Writes applied property changes into the project files.
#include <string>

#include "core/assets/file_tree.h"
#include "core/project/apply_changes.h"
#include "core/project/project_state.h"

namespace vexlo {

// Removes the project's .avlo work folder with its contents.
void delete_work_folder(const std::string& project_folder,
                        const assets::progress_callback& progress);
// Brings the project files in line with the changed values of the record, then takes into the
// record what the files now say (a package rename may have changed more than was typed).
// progress is called during the long file walks of a package rename.
project::apply_result write_project_changes(project::project_state& state,
                                            const project::property_changes& changes,
                                            const assets::progress_callback& progress);
// Whether an earlier Apply left a package rename unfinished in the project.
bool has_unfinished_rename(const std::string& project_folder);

}  // namespace vexlo
