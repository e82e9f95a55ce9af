#include "lumo/measure.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "lumo/viewer_window.h"
#include "platform/platform.h"

namespace {

double now_ms() {
    LARGE_INTEGER f{}, t{};
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

double ms_since_process_start() {
    FILETIME created{}, exited{}, kernel{}, user{}, now{};
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    auto ticks = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(ticks(now) - ticks(created)) / 10000.0;
}

// "name=12.34": two decimals, written without printf, which would bring its floating-point
// formatting into the program.
std::string line(const char* name, double value) {
    const long long hundredths = static_cast<long long>(value * 100.0 + 0.5);
    const std::string fraction = std::to_string(hundredths % 100);
    return std::string(name) + "=" + std::to_string(hundredths / 100) + "." +
           (fraction.size() < 2 ? "0" : "") + fraction + "\n";
}

struct frame_times {
    double total = 0;
    double worst = 0;
    double paint_total = 0;  // of which the view's own painting
    double paint_worst = 0;
    int count = 0;
};

// Scrolls by a step and paints at once, as a user's scrolling does, timing each frame.
frame_times scroll_frames(html_view& view, int step, int frames) {
    frame_times t;
    for (int i = 0; i < frames; ++i) {
        if (view.scroll_position() + step > view.content_height() ||
            view.scroll_position() + step < 0)
            step = -step;  // turn at either end
        const double start = now_ms();
        view.scroll_by(step);
        UpdateWindow(view.window());
        const double took = now_ms() - start;
        t.total += took;
        t.worst = std::max(t.worst, took);
        t.paint_total += view.last_paint_ms();
        t.paint_worst = std::max(t.paint_worst, view.last_paint_ms());
        ++t.count;
    }
    return t;
}

void measure(viewer_window& viewer) {
    html_view& view = viewer.view();
    UpdateWindow(view.window());
    std::string out;
    out += line("first_paint_since_process_start_ms", ms_since_process_start());
    out += line("load_parse_layout_ms", view.last_load_ms());
    out += line("load_parse_layout_cpu_ms", view.last_load_cpu_ms());
    out += line("read_ms", view.last_read_ms());
    out += line("parse_ms", view.last_parse_ms());
    out += line("layout_ms", view.last_layout_ms());
    out += line("page_height_px", view.content_height());
    RECT client{};
    GetClientRect(view.window(), &client);
    out += line("view_height_px", client.bottom);

    const frame_times wheel = scroll_frames(view, 60, 300);
    out += line("wheel_frames", wheel.count);
    out += line("wheel_frame_avg_ms", wheel.total / std::max(1, wheel.count));
    out += line("wheel_frame_max_ms", wheel.worst);
    out += line("wheel_paint_avg_ms", wheel.paint_total / std::max(1, wheel.count));
    out += line("wheel_paint_max_ms", wheel.paint_worst);
    const frame_times pages =
        scroll_frames(view, std::max(20, static_cast<int>(client.bottom) - 20), 100);
    out += line("page_frame_avg_ms", pages.total / std::max(1, pages.count));
    out += line("page_frame_max_ms", pages.worst);
    out += line("page_paint_avg_ms", pages.paint_total / std::max(1, pages.count));
    out += line("page_paint_max_ms", pages.paint_worst);

    // A resize lays the page out again for the new width.
    RECT frame{};
    GetWindowRect(viewer.window(), &frame);
    const double start = now_ms();
    SetWindowPos(viewer.window(), nullptr, 0, 0, frame.right - frame.left - 100,
                 frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER);
    UpdateWindow(view.window());
    out += line("resize_relayout_ms", now_ms() - start);

    platform::write_file(platform::environment_variable("LUMO_MEASURE"), out);
    viewer.close();
}

}  // namespace

void install_measurement(viewer_window& viewer) {
    if (platform::environment_variable("LUMO_MEASURE").empty()) return;
    viewer.on_first_page(measure);
}
