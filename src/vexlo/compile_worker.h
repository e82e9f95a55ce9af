#pragma once
// The worker thread of a compile or a clean. It runs the build sequence with its own copy of
// everything it reads and talks to the progress dialog only by posting messages; Cancel ends
// its running tool tree at once and lets it take no further step.
#include <windows.h>

#include <memory>
#include <mutex>
#include <utility>
#include <vector>

#include "core/build/compile_pipeline.h"
#include "core/build/tool_config.h"
#include "winui/app_messages.h"
#include "winui/background_job.h"
#include "winui/command_runner.h"

namespace vexlo {

UINT message_for_step(build::build_step step);

class build_worker {
public:
    // job: the runs' job, possibly with a command interpreter that the keystore check has
    // already started.
    build_worker(const build::build_inputs& inputs, const build::tool_config& tools,
                 bool clean_mode, std::shared_ptr<winui::tool_job> job);
    // A worker still running (the program is ending) is cancelled and waited for: its thread
    // is the last member, so it ends before anything it uses goes.
    ~build_worker() = default;
    build_worker(const build_worker&) = delete;
    build_worker& operator=(const build_worker&) = delete;
    // Starts the thread before the dialog exists, so that the first tool starts while the
    // dialog is still being built; what it posts meanwhile is kept for the dialog.
    bool start();
    // Hands the worker its dialog and posts it what was kept; false when no thread runs.
    bool attach(HWND dialog);
    // Ends the running tool tree; the worker takes no further step.
    void cancel() { job_->cancel(); }
    // After this no message reaches the dialog.
    void detach();
    // Waits (serving messages) until the thread has ended.
    void wait();
    // What the verifier said of the signed APK, once the worker has posted its result.
    build::apk_verification verification() const;

private:
    friend class worker_host;
    void run();
    void post(UINT message, WPARAM wparam);

    const build::build_inputs inputs_;
    const build::tool_config tools_;
    const bool clean_mode_;
    std::shared_ptr<winui::tool_job> job_;
    mutable std::mutex dialog_lock_;
    HWND dialog_ = nullptr;
    bool detached_ = false;
    std::vector<std::pair<UINT, WPARAM>> kept_;  // posted before the dialog was there
    build::apk_verification verification_;       // under dialog_lock_
    winui::background_job thread_;               // last: destroyed first
};

}  // namespace vexlo
