#pragma once
// Which file of a BASIC!-based project holds its program.
#include <string>

#include "core/assets/project_writes.h"

namespace assets {

struct program_target {
    bool found = false;
    std::string path;     // the existing program file when found
    std::string message;  // why nothing can be replaced when not found
};

// The first existing file among res\raw\my_program, res\raw\my_program.bas and
// assets\<app_path>\source\<my_program> (both values read from res\values\setup.xml when it
// exists). A folder of one of these names is not a program file. Values of setup.xml that lead
// out of the project (a "..", a root, a drive, a share) and a program reached through a linked
// folder are refused with a message: nothing outside the project is ever replaced.
program_target find_program_target(const std::string& project_folder);

// Puts the merged program in the place of the target, whole or not at all.
write_outcome replace_program(const std::string& project_folder, const std::string& target,
                              const std::string& program);

// The update's other messages.
std::string unreadable_program_message(const std::string& path);
std::string unwritable_program_message(const write_outcome& outcome);

}  // namespace assets
