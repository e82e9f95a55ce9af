#pragma once
// What the configurator holds for its whole run. It lives on the window's thread: workers get
// copies and hand their results back through window messages.
#include <windows.h>

#include <string>
#include <vector>

#include "core/build/tool_config.h"
#include "core/configurator/api_targets.h"
#include "core/configurator/keystore_creation.h"
#include "core/configurator/tool_detection.h"
#include "winui/app_messages.h"

namespace vexlo_config {

struct configurator_app {
    build::tool_config config;                      // the configurator's meaning of the states
    std::vector<configurator::api_target> targets;  // found once, at the API check
    bool open_chooser_pending = false;
    bool api_check_done = false;
    int blink_phase = 0;
    configurator::owner_details owner;  // the keystore owner's details typed this run
    std::string dialog_alias;           // carried into and out of the keystore dialog
    std::string dialog_password;
    // Set while a command waits for a tool on the window's thread: the window keeps serving
    // its messages then, and must not start another command meanwhile.
    int busy = 0;
};

configurator_app& app();

// "Vexlo.cfg" in the configurator's folder.
std::string config_file_path();
// The places the tool detection looks at on this machine.
configurator::detection_places this_machine();

// While it lives, the window's thread counts as busy with a command.
class busy_scope {
public:
    busy_scope() { ++app().busy; }
    ~busy_scope() { --app().busy; }
    busy_scope(const busy_scope&) = delete;
    busy_scope& operator=(const busy_scope&) = delete;
};

// The configurator's message box: task-modal, titled "Android Vexlo Configurator".
int tell(HWND owner, const std::string& text, UINT style);

}  // namespace vexlo_config
