// Lumo with timing figures, taken in the real viewer: with the environment variable
// LUMO_MEASURE naming a file, it shows its start page, times loading it again (reading,
// parsing and laying out apart too), paints it whole, scrolls through it frame by frame,
// writes the figures to that file and closes. Built from the viewer's own sources, so that
// the timers stay out of the program that ships.
#include <windows.h>

#include <algorithm>
#include <string>

#include "core/html/document.h"
#include "lumo/gdi_fonts.h"
#include "lumo/viewer_program.h"
#include "lumo/viewer_window.h"
#include "platform/platform.h"
#include "winui/dpi.h"

#include "bench_clock.h"

using bench::now_ms;

namespace {

// Processor time this thread has used, in milliseconds.
double thread_cpu_ms() {
    FILETIME created{}, exited{}, kernel{}, user{};
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto ticks = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
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
    int count = 0;
};

// Scrolls by a step and paints at once, as a user's scrolling does, timing each frame.
frame_times scroll_frames(lumo::html_view& view, int step, int frames) {
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
        ++t.count;
    }
    return t;
}

// Reading, parsing and laying out the page shown, each timed on its own, as the view does them.
std::string load_steps(const lumo::html_view& view, int width) {
    std::string out;
    const std::string& path = view.current_page();
    double start = now_ms();
    std::string bytes;
    platform::read_file(path, bytes);
    out += line("read_ms", now_ms() - start);
    start = now_ms();
    html::document doc = html::document::from_bytes(bytes);
    out += line("parse_ms", now_ms() - start);
    lumo::gdi_fonts fonts;
    fonts.set_dpi(winui::window_dpi(view.window()));
    start = now_ms();
    doc.lay_out(MulDiv(width, 96, static_cast<int>(fonts.dpi())), fonts);
    out += line("layout_ms", now_ms() - start);
    return out;
}

// Loading the page shown again, whole and step by step, and painting it whole.
std::string loading_figures(lumo::html_view& view, const RECT& client) {
    std::string out;
    const double start = now_ms(), start_cpu = thread_cpu_ms();
    view.load(view.current_page(), "");
    out += line("load_parse_layout_ms", now_ms() - start);
    out += line("load_parse_layout_cpu_ms", thread_cpu_ms() - start_cpu);
    out += load_steps(view, client.right);
    out += line("page_height_px", view.content_height());
    out += line("view_height_px", client.bottom);
    const double paint_start = now_ms();
    RedrawWindow(view.window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    out += line("whole_paint_ms", now_ms() - paint_start);
    return out;
}

std::string scrolling_figures(lumo::html_view& view, const RECT& client) {
    std::string out;
    const frame_times wheel = scroll_frames(view, 60, 300);
    out += line("wheel_frames", wheel.count);
    out += line("wheel_frame_avg_ms", wheel.total / std::max(1, wheel.count));
    out += line("wheel_frame_max_ms", wheel.worst);
    const frame_times pages =
        scroll_frames(view, std::max(20, static_cast<int>(client.bottom) - 20), 100);
    out += line("page_frame_avg_ms", pages.total / std::max(1, pages.count));
    out += line("page_frame_max_ms", pages.worst);
    return out;
}

// A resize lays the page out again for the new width.
std::string resize_figures(lumo::viewer_window& viewer) {
    RECT frame{};
    GetWindowRect(viewer.window(), &frame);
    const double start = now_ms();
    SetWindowPos(viewer.window(), nullptr, 0, 0, frame.right - frame.left - 100,
                 frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER);
    UpdateWindow(viewer.view().window());
    return line("resize_relayout_ms", now_ms() - start);
}

void measure(lumo::viewer_window& viewer) {
    lumo::html_view& view = viewer.view();
    UpdateWindow(view.window());
    std::string out = line("first_paint_since_process_start_ms", ms_since_process_start());
    RECT client{};
    GetClientRect(view.window(), &client);
    out += loading_figures(view, client);
    out += scrolling_figures(view, client);
    out += resize_figures(viewer);
    platform::write_file(platform::environment_variable("LUMO_MEASURE"), out);
    viewer.close();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show_command) {
    const bool measuring = !platform::environment_variable("LUMO_MEASURE").empty();
    return lumo::run_viewer(instance, show_command, measuring ? measure : nullptr);
}
