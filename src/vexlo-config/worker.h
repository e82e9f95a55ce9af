#pragma once
// One job on a thread of its own that hands its result to a window: the result is kept here
// and the window is told by a posted message, so the job never touches a control. A window
// that goes away stops the job and lets go of it without waiting: the job's thread keeps the
// shared part alive until it ends, posts nothing more and leaves nothing behind.
#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

// The number of worker threads still running, of any kind. At the end of the program the
// stopped ones are given a moment to tidy up (their tools have been ended by then).
inline std::atomic<int>& worker_threads_alive() {
    static std::atomic<int> count{0};
    return count;
}
inline void wait_for_stopped_workers(int timeout_ms) {
    for (int waited = 0; worker_threads_alive().load() > 0 && waited < timeout_ms; waited += 10)
        Sleep(10);
}

template <typename Result>
class worker {
public:
    worker() = default;
    worker(const worker&) = delete;
    worker& operator=(const worker&) = delete;
    ~worker() { stop(); }

    // Starts job on a new thread; when it ends (and was not stopped) message is posted to
    // target. on_stop runs when the worker is stopped (from the stopping thread), to end
    // whatever the job waits for.
    bool start(HWND target, UINT message, std::function<Result(const std::atomic<bool>&)> job,
               std::function<void()> on_stop = {}) {
        stop();
        auto s = std::make_shared<shared>();
        s->target = target;
        s->on_stop = std::move(on_stop);
        try {
            ++worker_threads_alive();
            std::thread([s, message, job = std::move(job)] {
                const struct on_exit {
                    ~on_exit() { --worker_threads_alive(); }
                } leaving;
                Result r = job(s->stop);
                std::lock_guard<std::mutex> lock(s->mutex);
                if (!s->stop.load() && s->target) {
                    s->result = std::move(r);
                    PostMessageW(s->target, message, 0, 0);
                }
                s->done.store(true);
            }).detach();
        } catch (...) {
            --worker_threads_alive();
            return false;  // no thread could be made: nothing runs
        }
        shared_ = std::move(s);
        return true;
    }

    bool exists() const { return shared_ != nullptr; }
    bool finished() const { return shared_ && shared_->done.load(); }

    // The result, once the posted message has arrived; empty if it was taken already.
    std::optional<Result> take() {
        if (!shared_) return std::nullopt;
        std::lock_guard<std::mutex> lock(shared_->mutex);
        return std::exchange(shared_->result, std::nullopt);
    }

    // Forgets a finished worker whose result has been taken (the timer's release).
    void release_if_finished() {
        if (!finished()) return;
        bool taken;
        {
            std::lock_guard<std::mutex> lock(shared_->mutex);
            taken = !shared_->result.has_value();
        }
        if (taken) shared_.reset();
    }

    // Stops the job from taking any further step and lets go of it without waiting.
    void stop() {
        if (!shared_) return;
        std::function<void()> on_stop;
        {
            std::lock_guard<std::mutex> lock(shared_->mutex);
            shared_->stop.store(true);
            shared_->target = nullptr;
            on_stop = std::move(shared_->on_stop);
        }
        if (on_stop) on_stop();
        shared_.reset();
    }

private:
    struct shared {
        std::mutex mutex;
        HWND target = nullptr;
        std::atomic<bool> stop{false};
        std::atomic<bool> done{false};
        std::optional<Result> result;
        std::function<void()> on_stop;
    };
    std::shared_ptr<shared> shared_;
};
