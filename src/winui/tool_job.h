#pragma once
// A sequence of tool runs (one build): their process group and the hidden command interpreter
// they share. cancel() may be called from any thread: it ends the running tool tree at once,
// and every later run returns "cancelled" unstarted. The runs themselves come one after another.
#include <windows.h>

#include "winui/batch_session.h"
#include "winui/process_group.h"

namespace winui {

class tool_job {
public:
    tool_job() = default;
    ~tool_job() { session_.end(); }
    tool_job(const tool_job&) = delete;
    tool_job& operator=(const tool_job&) = delete;

    void cancel() { processes_.cancel(); }
    bool cancelled() const { return processes_.cancelled(); }
    HANDLE cancel_event() const { return processes_.cancel_event(); }
    process_group& processes() { return processes_; }

    // The interpreter of the captured runs, started by the first of them.
    batch_session& session() { return session_; }
    // Lets the interpreter go once the sequence is over (the job itself stays usable).
    void end_session(bool wait_here = false) { session_.end(wait_here); }

private:
    process_group processes_;
    batch_session session_;  // after the group: it goes first
};

}  // namespace winui
