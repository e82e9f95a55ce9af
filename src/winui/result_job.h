#pragma once
// A background job with one result for a window: the result is kept here and the window is
// told by a posted message, so the work never touches a control. A stopped job posts nothing;
// stopping it ends whatever the work waits for (on_stop) and then waits for its thread, like
// every background_job.
#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>

#include "winui/background_job.h"

namespace winui {

template <typename Result>
class result_job {
public:
    result_job() = default;
    result_job(const result_job&) = delete;
    result_job& operator=(const result_job&) = delete;
    ~result_job() { stop(); }

    // Starts work on a job of its own (a running one is stopped first); when it ends without
    // having been stopped, its result is kept and message is posted to target.
    bool start(HWND target, UINT message, std::function<Result(const std::atomic<bool>&)> work,
               std::function<void()> on_stop = {}) {
        stop();
        auto s = std::make_unique<shared>();
        s->target = target;
        shared* state = s.get();
        const bool started = s->job.start(
            [state, message, work = std::move(work)] {
                Result r = work(state->stop);
                std::lock_guard<std::mutex> lock(state->mutex);
                if (state->stop.load() || !state->target) return;
                state->result = std::move(r);
                PostMessageW(state->target, message, 0, 0);
            },
            std::move(on_stop));
        if (started) shared_ = std::move(s);
        return started;
    }

    bool exists() const { return shared_ != nullptr; }
    bool finished() const { return shared_ && shared_->job.finished(); }

    // The result, once the posted message has arrived; empty if it was taken already.
    std::optional<Result> take() {
        if (!shared_) return std::nullopt;
        std::lock_guard<std::mutex> lock(shared_->mutex);
        return std::exchange(shared_->result, std::nullopt);
    }

    // Forgets a finished job whose result has been taken.
    void release_if_finished() {
        if (!finished()) return;
        bool taken;
        {
            std::lock_guard<std::mutex> lock(shared_->mutex);
            taken = !shared_->result.has_value();
        }
        if (taken) shared_.reset();
    }

    // Keeps the work from taking any further step or posting its result, and waits for its
    // thread to end.
    void stop() {
        if (!shared_) return;
        {
            std::lock_guard<std::mutex> lock(shared_->mutex);
            shared_->stop.store(true);
            shared_->target = nullptr;
        }
        shared_.reset();  // the job calls on_stop, then joins
    }

private:
    struct shared {
        std::mutex mutex;
        HWND target = nullptr;
        std::atomic<bool> stop{false};
        std::optional<Result> result;
        background_job job;  // last: its thread ends before the rest goes
    };
    std::unique_ptr<shared> shared_;
};

}  // namespace winui
