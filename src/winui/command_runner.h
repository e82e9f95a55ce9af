#pragma once
// Runs one command line through a generated temp.bat with the configured tools on the PATH,
// waits for it while the calling thread keeps serving its window messages, and hands back the
// captured console output. Every process of a run belongs to a job object, so Cancel ends the
// tool together with everything it started.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "core/build/command_runner_text.h"
#include "core/build/compile_runner_status.h"
#include "core/build/tool_config.h"
#include "platform/win32/handles.h"
#include "winui/message_wait.h"
#include "winui/tool_job.h"

namespace winui {

struct run_request {
    std::string command;
    std::string folder;  // the working folder; "" is the program folder
    int show = 0;        // -1: visible console, output not captured; 0: hidden, captured
    build::runner_variant variant = build::runner_variant::main_program;
    std::vector<build::batch_variable> variables;  // set in the batch just before the command
};

// One run. Without a job the run cannot be cancelled but still runs in a job of its own.
build::run_outcome run_tool(const build::tool_config& tools, const run_request& request,
                            tool_job* job = nullptr);

// The classic form: the captured output without trailing line ends, or a status word
// ("**OK**", "**ERROR WRITING**", "**ERROR STARTING**").
std::string run_command(const build::tool_config& tools, std::string_view command,
                        std::string_view folder, int show,
                        build::runner_variant variant = build::runner_variant::main_program);

// The tool folders as a batch file can name them (platform::batch_readable_path).
build::tool_config batch_readable_tools(const build::tool_config& tools);

}  // namespace winui
