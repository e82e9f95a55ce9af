// Measures process start to the first visible, idle window of a program, against the minimal
// one-window program, alternating runs so both see the same machine load.
//     startup_bench <program.exe> "<window caption>" [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

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

// Milliseconds from CreateProcess to the visible window with an idle message queue.
double time_start(const std::wstring& exe, const wchar_t* caption) {
    LARGE_INTEGER freq, t0, t1;
    QueryPerformanceFrequency(&freq);
    STARTUPINFOW si{sizeof si};
    PROCESS_INFORMATION pi{};
    std::wstring command = L"\"" + exe + L"\"";
    QueryPerformanceCounter(&t0);
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return -1;
    search s{pi.dwProcessId, caption, false};
    for (int i = 0; i < 20000 && !s.found; ++i) {
        EnumWindows(find, reinterpret_cast<LPARAM>(&s));
        if (!s.found) Sleep(1);
    }
    WaitForInputIdle(pi.hProcess, 10000);
    QueryPerformanceCounter(&t1);
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return s.found ? 1000.0 * double(t1.QuadPart - t0.QuadPart) / double(freq.QuadPart) : -1;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_bench <program.exe> <caption> [runs]\n");
        return 2;
    }
    const int runs = argc > 3 ? _wtoi(argv[3]) : 9;
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring minimal = self;
    minimal = minimal.substr(0, minimal.find_last_of(L'\\') + 1) + L"minimal_window.exe";
    std::vector<double> program, baseline;
    time_start(argv[1], argv[2]);  // warm the file cache
    for (int i = 0; i < runs; ++i) {
        baseline.push_back(time_start(minimal, L"Minimal window"));
        program.push_back(time_start(argv[1], argv[2]));
    }
    const double p = median(program), b = median(baseline);
    std::printf("start-up median over %d runs: program %.1f ms, minimal window %.1f ms, ratio %.2f\n",
                runs, p, b, b > 0 ? p / b : 0.0);
    return (p > 0 && b > 0) ? 0 : 1;
}
