#include "vexlo/project_writer.h"

#include "core/assets/file_tree.h"
#include "core/project/package_rename.h"
#include "core/project/project_loader.h"
#include "winui/message_pump.h"

void delete_work_folder(const std::string& project_folder) {
    // On the GUI thread: the window keeps serving its messages meanwhile.
    assets::delete_folder_tree(project_folder + ".avlo", serve_pending_messages);
}

project::apply_result write_project_changes(project::project_state& state,
                                            const project::property_changes& changes) {
    project::apply_result result =
        project::apply_project_changes(state, changes, serve_pending_messages);
    project::store_loaded(result.reloaded, state);
    return result;
}

bool has_unfinished_rename(const std::string& project_folder) {
    project::rename_journal journal;
    return project::read_journal(project_folder, journal);
}
