#include "vexlo/project_writer.h"

#include "core/project/apply_changes.h"

void delete_work_folder(const std::string& project_folder,
                        const assets::progress_callback& progress) {
    assets::delete_folder_tree(project_folder + ".avlo", progress);
}

std::string write_project_changes(project::project_state& state,
                                  const assets::progress_callback& progress) {
    const project::apply_result result = project::apply_project_changes(state, progress);
    if (!result.app_name_written.empty()) state.app_name = result.app_name_written;
    if (result.succeeded()) return "";
    return "Not all changes could be applied:\r" + project::problems_text(result);
}
