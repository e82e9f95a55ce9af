// The background job's promise: its owner never goes while its work can still use it.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>

#include "winui/background_job.h"

namespace {

// What the work uses, freed right after the job: reading it once the job is gone would read
// freed memory. The work checks it is still alive at its very last step.
struct owner_state {
    std::atomic<bool> stop{false};
    std::atomic<int> stops_asked{0};
    bool alive = true;
    bool alive_at_the_end = false;
};

}  // namespace

TEST(BackgroundJob, DestroyingStopsTheWorkAndWaitsForItsLastStepWithoutATimeLimit) {
    auto state = std::make_unique<owner_state>();
    owner_state* seen = state.get();
    {
        winui::background_job job;
        ASSERT_TRUE(job.start(
            [seen] {
                while (!seen->stop.load()) Sleep(1);
                // Tidying up after the stop takes a while, as a tool tree ending does.
                Sleep(400);
                seen->alive_at_the_end = seen->alive;
            },
            [seen] {
                ++seen->stops_asked;
                seen->stop = true;
            }));
        EXPECT_FALSE(job.finished());
    }  // the job goes here, while its work still runs
    EXPECT_TRUE(state->alive_at_the_end);
    EXPECT_EQ(state->stops_asked.load(), 1);
    state->alive = false;
}

TEST(BackgroundJob, WorkThatThrowsEndsItsThreadAndTheWindowThreadServesMessagesMeanwhile) {
    winui::background_job job;
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    std::atomic<bool> answered{false};
    ASSERT_TRUE(job.start([window, &answered] {
        // A message sent to the window's thread is answered only while that thread serves them.
        answered = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0) == 0;
        throw 1;
    }));
    job.wait_serving_messages();
    EXPECT_TRUE(job.finished());
    EXPECT_TRUE(answered.load());
    EXPECT_FALSE(job.start([] {}));  // a job runs once
    DestroyWindow(window);
}
