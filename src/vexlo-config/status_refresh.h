#pragma once
// The status refresh: a worker computes the sections' status from a copy of the configuration
// and posts it; the window's thread applies it (the states the refresh decides, then the
// colours and buttons). Refreshes never overlap: a request while one runs is remembered and
// served when it ends, and a result computed from a configuration that has changed meanwhile
// is computed again rather than applied.
#include <windows.h>

#include "core/configurator/section_status.h"
#include "vexlo-config/main_window_layout.h"
#include "vexlo-config/section_painter.h"
#include "winui/result_job.h"

namespace vexlo_config {

class status_refresh {
public:
    void request(HWND window);
    // The status of the configuration as the window opens, computed and shown at once so that
    // the first painting shows the sections complete.
    void apply_now(HWND window, section_painter& painter, const main_window_resources& resources);
    // The worker's message has arrived.
    void on_done(HWND window, section_painter& painter, const main_window_resources& resources);
    // The timer's poll: a finished worker is released.
    void on_tick() { worker_.release_if_finished(); }
    // The window is closing: the worker takes no further step and is waited for.
    void stop() {
        worker_.stop();
        again_ = false;
    }

private:
    struct result {
        build::tool_config from;  // the configuration the status was computed from
        std::size_t target_count = 0;
        configurator::status_view view;
    };
    winui::result_job<result> worker_;
    bool running_ = false;
    bool again_ = false;
};

// Starts a status refresh of the main window (see main_window.cpp).
void request_status_refresh(HWND main_window);

}  // namespace vexlo_config
