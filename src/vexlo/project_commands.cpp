#include <map>

#include "vexlo/command_registry.h"
#include "vexlo/commands.h"

namespace vexlo {

namespace {
std::map<int, command_handler>& registry() {
    static std::map<int, command_handler> handlers;
    return handlers;
}
}  // namespace

bool register_command(int control_id, command_handler handler) {
    registry()[control_id] = handler;
    return true;
}

bool run_project_command(HWND dialog, int id) {
    const auto found = registry().find(id);
    if (found == registry().end()) return false;
    found->second(dialog);
    return true;
}

}  // namespace vexlo
