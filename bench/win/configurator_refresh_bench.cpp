// Measures how long Vexlo-config's window thread is kept from its messages while status
// refreshes are applied: a probe thread sends WM_NULL to the window every millisecond and
// times each round trip, from the end of the start-up check (whose refresh repaints the
// sections) through a stream of requested refreshes.
//     configurator_refresh_bench <Vexlo-config.exe> [requests]
// Run it in the program's folder with a complete Vexlo.cfg beside the program (for example
// one written by scripts/make-fake-toolchain.sh) so that the start-up check turns the
// sections green.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "bench_clock.h"

using bench::now_ms;

namespace {

constexpr UINT kRequestRefresh = WM_APP + 1;  // the configurator's own request message

struct search {
    DWORD pid;
    const wchar_t* caption;
    HWND found = nullptr;
};

BOOL CALLBACK find(HWND hwnd, LPARAM param) {
    auto* s = reinterpret_cast<search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t text[256] = {};
    GetWindowTextW(hwnd, text, 256);
    if (pid == s->pid && IsWindowVisible(hwnd) && wcscmp(text, s->caption) == 0) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND window_of(DWORD pid, const wchar_t* caption) {
    search s{pid, caption};
    EnumWindows(find, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

struct sample {
    double at;
    double took;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: configurator_refresh_bench <Vexlo-config.exe> [requests]\n");
        return 2;
    }
    const int requests = argc > 2 ? _wtoi(argv[2]) : 2000;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring command = L"\"" + std::wstring(argv[1]) + L"\"";
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi)) {
        std::fprintf(stderr, "cannot start the program\n");
        return 1;
    }
    HWND window = nullptr;
    for (int i = 0; i < 3000 && !window; ++i, Sleep(5))
        window = window_of(pi.dwProcessId, L"Android Vexlo Configurator v3.6");
    if (!window) {
        TerminateProcess(pi.hProcess, 1);
        std::fprintf(stderr, "no window\n");
        return 1;
    }

    std::atomic<bool> probing{true};
    std::vector<sample> samples;
    samples.reserve(200000);
    std::thread probe([&] {
        while (probing.load()) {
            const double start = now_ms();
            DWORD_PTR ignored = 0;
            SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
            samples.push_back({start, now_ms() - start});
            Sleep(1);
        }
    });

    // The start-up check: its progress dialog comes and goes; then its refresh repaints.
    bool check_seen = false;
    double check_done = 0;
    for (int i = 0; i < 6000; ++i, Sleep(2)) {
        const bool up = window_of(pi.dwProcessId, L"Android Vexlo Configurator") != nullptr;
        check_seen = check_seen || up;
        if (check_seen && !up && IsWindowEnabled(window)) {
            check_done = now_ms();
            break;
        }
    }
    if (check_done == 0) check_done = now_ms();
    Sleep(300);
    const double stream_start = now_ms();
    for (int i = 0; i < requests; ++i) {
        PostMessageW(window, kRequestRefresh, 0, 0);
        Sleep(1);
    }
    const double stream_end = now_ms();
    Sleep(300);
    probing.store(false);
    probe.join();
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);

    auto report = [&](const char* what, double from, double to) {
        std::vector<double> took;
        for (const sample& s : samples)
            if (s.at >= from && s.at <= to) took.push_back(s.took);
        if (took.empty()) {
            std::printf("%s: no samples\n", what);
            return;
        }
        std::sort(took.begin(), took.end());
        std::printf(
            "%s: %zu round trips, median %.2f ms, 99th percentile %.2f ms, longest %.2f ms\n", what,
            took.size(), took[took.size() / 2], took[took.size() * 99 / 100], took.back());
    };
    report(check_seen ? "after the start-up check (its refresh repaints)" : "after start-up",
           check_done, check_done + 300);
    std::printf("%d refresh requests over %.0f ms\n", requests, stream_end - stream_start);
    report("during the requested refreshes", stream_start, stream_end + 300);
    return 0;
}
