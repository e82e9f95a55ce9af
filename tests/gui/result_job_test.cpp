// The result job's promise: the result reaches the window by a posted message, and a stopped
// job posts nothing and has ended when stop() returns.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>

#include "winui/result_job.h"

namespace {

constexpr UINT kDone = WM_APP + 7;

HWND message_window() {
    return CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr, nullptr,
                           nullptr);
}

}  // namespace

TEST(ResultJob, TheResultWaitsForTheWindowToTakeItOnce) {
    HWND window = message_window();
    ASSERT_NE(window, nullptr);
    winui::result_job<int> job;
    ASSERT_TRUE(job.start(window, kDone, [](const std::atomic<bool>&) { return 42; }));
    MSG msg{};
    ASSERT_GT(GetMessageW(&msg, window, kDone, kDone), 0);  // posted once the work has ended
    EXPECT_EQ(job.take(), 42);
    EXPECT_EQ(job.take(), std::nullopt);
    DestroyWindow(window);
}

TEST(ResultJob, StoppingEndsWhatTheWorkWaitsForWaitsForItsEndAndPostsNothing) {
    HWND window = message_window();
    ASSERT_NE(window, nullptr);
    std::atomic<bool> released{false};
    std::atomic<int> stops{0};
    std::atomic<bool> ended{false};
    winui::result_job<int> job;
    ASSERT_TRUE(job.start(
        window, kDone,
        [&](const std::atomic<bool>& stop) {
            while (!released.load()) Sleep(1);  // a tool the stop ends
            ended = stop.load();
            return 1;
        },
        [&] {
            ++stops;
            released = true;
        }));
    job.stop();
    EXPECT_TRUE(ended.load());
    EXPECT_EQ(stops.load(), 1);
    EXPECT_FALSE(job.exists());
    MSG msg{};
    EXPECT_FALSE(PeekMessageW(&msg, window, kDone, kDone, PM_REMOVE));
    EXPECT_EQ(job.take(), std::nullopt);
    DestroyWindow(window);
}
