#pragma once
// Runs one command line through a generated temp.bat with the configured tools on the PATH,
// waits for it while the calling thread keeps serving its window messages, and hands back the
// captured console output. Every process of a run belongs to a job object, so Cancel ends the
// tool together with everything it started.
#include <windows.h>

#include <atomic>
#include <string>
#include <string_view>
#include <vector>

#include "core/build/command_runner_text.h"
#include "core/build/compile_runner_status.h"
#include "core/build/tool_config.h"
#include "platform/win32/handles.h"
#include "winui/batch_session.h"

// A sequence of runs (one build): their job object, their cancellation and the hidden command
// interpreter they share. cancel() may be called from any thread: it ends the running tool tree
// at once, and every later run returns "cancelled" unstarted. The runs themselves come one
// after another.
class tool_job {
public:
    tool_job();
    ~tool_job() { session_.end(); }
    tool_job(const tool_job&) = delete;
    tool_job& operator=(const tool_job&) = delete;

    void cancel();
    bool cancelled() const { return cancelled_.load(); }

    // Puts a freshly created (suspended) process into the job; false when the system refuses
    // (the program itself runs in a job that allows no nesting).
    bool adopt(HANDLE process);
    HANDLE cancel_event() const { return cancel_event_.get(); }

    // The interpreter of the captured runs, started by the first of them.
    batch_session& session() { return session_; }
    // Lets the interpreter go once the sequence is over (the job itself stays usable).
    void end_session(bool wait_here = false) { session_.end(wait_here); }

private:
    unique_file_handle job_;
    unique_file_handle cancel_event_;
    std::atomic<bool> cancelled_{false};
    batch_session session_;
};

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

// Starts a file with its default action (no verb), no working folder and the given show
// command; the process handle, or an invalid one when the start failed.
unique_file_handle shell_execute_wait(const std::string& file, const std::string& parameters,
                                      int show_command);

// Waits for a handle while serving the calling thread's window messages; false when the
// optional second handle (a cancel event) was signalled first.
bool wait_serving_messages(HANDLE handle, HANDLE cancel_event = nullptr);
// Waits for the first of up to three handles while serving the calling thread's window
// messages; its index, or WAIT_FAILED.
DWORD wait_any_serving_messages(const HANDLE* handles, DWORD count);

// The tool folders as a batch file can name them (platform::batch_readable_path).
build::tool_config batch_readable_tools(const build::tool_config& tools);

// The command interpreter named by the system, or the one in the system folder.
std::wstring command_interpreter();
