#pragma once
// One hidden command interpreter kept for a sequence of tool runs (one build), so that each
// run costs its tool and not a new interpreter with a new console: see
// core/build/runner_session_text.h. One run at a time; the runs may come from different
// threads one after another.
#include <windows.h>

#include <string>

#include "platform/win32/handles.h"

namespace winui {

class process_group;

class batch_session {
public:
    enum class outcome {
        finished,     // the run's temp.bat has ended; the interpreter waits for the next run
        ended,        // the interpreter itself ended during the run (a tool ended it)
        cancelled,    // the cancel event was signalled first
        unavailable,  // the interpreter is not there (never started, or gone between runs)
    };

    batch_session() = default;
    ~batch_session() { end(); }
    batch_session(const batch_session&) = delete;
    batch_session& operator=(const batch_session&) = delete;

    // Starts the interpreter in the group; false when it cannot be started.
    bool start(process_group& group);
    bool running() const { return process_.valid(); }
    // Has the interpreter run the temp.bat of the folder (a runner_folder) whose request
    // batch text is given in the console's code page; waits while serving the calling thread's
    // window messages.
    outcome run(const std::string& request_bytes, HANDLE cancel_event);
    // Lets the interpreter end (its standard input closes) and removes its files once it has
    // gone: a thread of its own waits for that, unless the caller waits itself.
    void end(bool wait_here = false);
    // For a cancelled run: the interpreter is being ended from outside; waits until it has gone
    // (so the files it held are free), at most the given time.
    void wait_gone(DWORD milliseconds);
    HANDLE process() const { return process_.get(); }

private:
    bool open_pipes(const std::string& stem, platform::unique_file_handle& child_input,
                    platform::unique_file_handle& child_output);

    platform::unique_file_handle process_;
    platform::unique_file_handle input_;   // its standard input (we write)
    platform::unique_file_handle output_;  // its standard output and error (we read, overlapped)
    platform::unique_file_handle read_done_;
    bool in_group_ = false;
    std::string folder_;  // its own folder, with a trailing backslash
    std::string marker_;
};

}  // namespace winui
