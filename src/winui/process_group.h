#pragma once
// The processes of one sequence of tool runs, held in one job object, so that Cancel ends a
// tool together with everything it started. cancel() may be called from any thread.
#include <windows.h>

#include <atomic>
#include <string>

#include "platform/win32/handles.h"

namespace winui {

class process_group {
public:
    process_group();
    process_group(const process_group&) = delete;
    process_group& operator=(const process_group&) = delete;

    void cancel();
    bool cancelled() const { return cancelled_.load(); }
    HANDLE cancel_event() const { return cancel_event_.get(); }

    struct started_process {
        platform::unique_file_handle process{nullptr};
        bool in_group = false;  // false when the system allows no nesting of job objects
    };
    // Starts the command interpreter with these arguments, suspended until it belongs to the
    // group, so that not even its first child can escape a Cancel. The process handle is
    // invalid when the start failed.
    started_process start_interpreter(const std::wstring& arguments, const std::string& folder,
                                      DWORD flags, STARTUPINFOW& startup, bool inherit_handles);

private:
    platform::unique_file_handle job_;
    platform::unique_file_handle cancel_event_;
    std::atomic<bool> cancelled_{false};
};

// The command interpreter named by the system, or the one in the system folder.
std::wstring command_interpreter();

}  // namespace winui
