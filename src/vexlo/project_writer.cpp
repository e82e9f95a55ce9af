#include "vexlo/project_writer.h"

#include "core/assets/project_layout.h"
#include "core/project/package_rename.h"
#include "core/project/project_loader.h"

namespace vexlo {

void delete_work_folder(const std::string& project_folder,
                        const assets::progress_callback& progress) {
    assets::delete_folder_tree(project_folder + assets::kWorkFolder, progress);
}

project::apply_result write_project_changes(project::project_state& state,
                                            const project::property_changes& changes,
                                            const assets::progress_callback& progress) {
    project::apply_result result = project::apply_project_changes(state, changes, progress);
    project::store_loaded(result.reloaded, state);
    return result;
}

bool has_unfinished_rename(const std::string& project_folder) {
    project::rename_journal journal;
    return project::read_journal(project_folder, journal);
}

}  // namespace vexlo
