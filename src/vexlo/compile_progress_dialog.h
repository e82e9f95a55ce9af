#pragma once
// The small modal dialog that animates while a compile or a clean runs on its worker thread,
// names the current step and offers Cancel.
#include <windows.h>

#include <memory>

#include "core/build/compile_pipeline.h"
#include "core/build/tool_config.h"
#include "winui/command_runner.h"

namespace vexlo {

// Runs the build behind the dialog and gives its result (0 when cancelled). Cancel closes the
// dialog at once; the worker's tools are ended and it takes no further step. The tools run in
// the given job (a new one when there is none). What the verifier said of the signed APK goes
// to `verification` when given.
build::build_result run_progress_dialog(HWND owner, bool clean_mode,
                                        const build::build_inputs& inputs,
                                        const build::tool_config& tools,
                                        std::shared_ptr<winui::tool_job> job = nullptr,
                                        build::apk_verification* verification = nullptr);

}  // namespace vexlo
