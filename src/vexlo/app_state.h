#pragma once
// The records the main program works on. They live on the GUI thread; worker threads only read
// them while a modal progress dialog keeps the GUI from changing them.
#include "core/build/tool_config.h"
#include "core/project/project_state.h"

namespace vexlo {

struct vexlo_state {
    project::project_state project;
    project::permission_flags permission_choice{};
    std::string keystore_file;  // the signing identity is settled anew after every load
    build::tool_config tools;   // read from the configuration file at start-up
};

vexlo_state& app();

}  // namespace vexlo
