#pragma once
// The one way the programs run work on a thread of their own. A background_job owns its
// thread: destroying it asks the work to stop and then waits for the thread to end, without a
// time limit, because the work may use its owner until its last step. Results reach a window
// only by posted messages (see app_messages.h), so the work never touches a control.
#include <windows.h>

#include <functional>

#include "platform/win32/handles.h"

namespace winui {

class background_job {
public:
    background_job() = default;
    ~background_job();
    background_job(const background_job&) = delete;
    background_job& operator=(const background_job&) = delete;

    // Runs work on a new thread with a single-threaded COM apartment (the common dialogs and
    // the shell want one). on_stop, called by stop() from any thread, ends whatever the work
    // waits for. False, with nothing running, when no thread can be made. A job runs once.
    bool start(std::function<void()> work, std::function<void()> on_stop = {});
    bool started() const { return thread_.valid(); }
    // Whether the work has ended, without waiting.
    bool finished() const;
    // Asks the work to stop (on_stop, once); does not wait.
    void stop();
    // Waits for the end of the work, serving the calling thread's window messages meanwhile.
    void wait_serving_messages();
    // The same for at most this long; whether the work has ended.
    bool wait_serving_messages_for(DWORD milliseconds);
    // Waits for the end of the work without serving messages.
    void join();

private:
    static DWORD WINAPI thread_main(LPVOID self);

    std::function<void()> work_;
    std::function<void()> on_stop_;
    bool stop_asked_ = false;
    platform::unique_file_handle thread_{nullptr};
};

// Runs work on a background job while the calling window's thread keeps serving messages, and
// returns once it has ended: for work that must not freeze the window (starting programs,
// dialogs of a command). Without a thread the work runs on the calling thread.
void run_beside_the_window(const std::function<void()>& work);

}  // namespace winui
