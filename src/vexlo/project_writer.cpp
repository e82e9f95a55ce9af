#include "vexlo/project_writer.h"

#include "core/assets/file_tree.h"
#include "core/project/apply_changes.h"
#include "winui/message_pump.h"

void delete_work_folder(const std::string& project_folder) {
    // On the GUI thread: the window keeps serving its messages meanwhile.
    assets::delete_folder_tree(project_folder + ".avlo", serve_pending_messages);
}

std::string write_project_changes(project::project_state& state) {
    const project::apply_result result =
        project::apply_project_changes(state, serve_pending_messages);
    if (!result.app_name_written.empty()) state.app_name = result.app_name_written;
    if (result.succeeded()) return "";
    return "Not all changes could be applied:\r" + project::problems_text(result);
}
