#pragma once
// The small modal dialog that animates while adb works on a phone (install, uninstall,
// start), names the step and offers Cancel. adb runs on a background job of the dialog.
#include <windows.h>

#include <string>

#include "core/build/compile_runner_status.h"
#include "core/build/tool_config.h"
#include "winui/command_runner.h"

namespace vexlo {

// Runs the request in the job behind the dialog and gives its outcome. Cancel closes the
// dialog at once and ends adb (the job is cancelled: it runs nothing more); the outcome is
// then "cancelled".
build::run_outcome run_device_step(HWND owner, const std::string& title, const std::string& step,
                                   const build::tool_config& tools,
                                   const winui::run_request& request, winui::tool_job& job);

}  // namespace vexlo
