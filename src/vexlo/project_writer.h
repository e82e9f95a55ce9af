#pragma once
// Writes applied property changes into the project files.
#include <string>

#include "core/assets/file_tree.h"
#include "core/project/project_state.h"

// Removes the project's .avlo work folder with its contents.
void delete_work_folder(const std::string& project_folder,
                        const assets::progress_callback& progress);
// Brings the project files in line with the record; "" on success, else the message to show.
// The record takes the app name as it was written (characters XML cannot hold as entities).
std::string write_project_changes(project::project_state& state,
                                  const assets::progress_callback& progress);
