// Measures process start to the first visible, idle window of a program, against the minimal
// one-window program, alternating runs so both see the same machine load.
//     startup_bench <program.exe> "<window caption>" [runs] [program arguments]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_clock.h"

using bench::median;

namespace {

struct search {
    DWORD pid;
    const wchar_t* caption;
    bool found;
};

BOOL CALLBACK find(HWND hwnd, LPARAM param) {
    auto* s = reinterpret_cast<search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t text[256] = {};
    GetWindowTextW(hwnd, text, 256);
    if (pid == s->pid && IsWindowVisible(hwnd) && wcscmp(text, s->caption) == 0) {
        s->found = true;
        return FALSE;
    }
    return TRUE;
}

struct start_times {
    double visible = -1;  // the window is shown
    double idle = -1;     // ... and its thread waits for input
};

// Milliseconds from CreateProcess to the visible window with an idle message queue.
start_times time_start(const std::wstring& exe, const wchar_t* caption,
                       const std::wstring& arguments = {}) {
    LARGE_INTEGER freq, t0, t1;
    QueryPerformanceFrequency(&freq);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring command = L"\"" + exe + L"\"";
    if (!arguments.empty()) command += L" " + arguments;
    QueryPerformanceCounter(&t0);
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return {};
    search s{pi.dwProcessId, caption, false};
    for (int i = 0; i < 20000 && !s.found; ++i) {
        EnumWindows(find, reinterpret_cast<LPARAM>(&s));
        if (!s.found) Sleep(1);
    }
    LARGE_INTEGER shown;
    QueryPerformanceCounter(&shown);
    WaitForInputIdle(pi.hProcess, 10000);
    QueryPerformanceCounter(&t1);
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    if (!s.found) return {};
    const auto ms = [&](LARGE_INTEGER t) {
        return 1000.0 * double(t.QuadPart - t0.QuadPart) / double(freq.QuadPart);
    };
    return {ms(shown), ms(t1)};
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_bench <program.exe> <caption> [runs] [arguments]\n");
        return 2;
    }
    const int runs = argc > 3 ? _wtoi(argv[3]) : 9;
    const std::wstring arguments = argc > 4 ? argv[4] : L"";
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring minimal = self;
    minimal = minimal.substr(0, minimal.find_last_of(L'\\') + 1) + L"minimal_window.exe";
    std::vector<double> program, baseline, program_shown, baseline_shown, ratios;
    time_start(argv[1], argv[2], arguments);  // warm the file cache
    for (int i = 0; i < runs; ++i) {
        const start_times b = time_start(minimal, L"Minimal window");
        const start_times p = time_start(argv[1], argv[2], arguments);
        baseline.push_back(b.idle), baseline_shown.push_back(b.visible);
        program.push_back(p.idle), program_shown.push_back(p.visible);
        if (b.idle > 0 && p.idle > 0) ratios.push_back(p.idle / b.idle);
    }
    const double p = median(program), b = median(baseline);
    std::printf(
        "start-up median over %d runs: program %.1f ms (shown at %.1f), minimal window "
        "%.1f ms (shown at %.1f), ratio %.2f, median of paired ratios %.2f\n",
        runs, p, median(program_shown), b, median(baseline_shown), b > 0 ? p / b : 0.0,
        ratios.empty() ? 0.0 : median(ratios));
    return (p > 0 && b > 0) ? 0 : 1;
}
