// Measures the in-app compile of Vexlo.exe with stand-in tools that do no work, under Wine:
// the time from the "Compile APK" click to the success message (a compile that asks nothing),
// the same tool calls run back to back from one batch file (one run before each compile, so
// that both see the same load), and the longest time the windows of Vexlo.exe take to answer
// a message during the compiles: the main window, and the progress dialog or message box in
// front of it.
//     compile_bench.exe [runs]
// Needs Vexlo.exe beside it and the stand-in tools in ..\fake-tools. Rewrites Vexlo.cfg there.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "core/build/compile_batch_text.h"
#include "core/build/tool_commands.h"
#include "core/build/tool_path_lines.h"
#include "core/shell/main_window_model.h"
#include "platform/platform.h"
#include "platform/win32/utf16.h"

#include "bench_clock.h"
#include "vexlo_session.h"

using namespace bench;

namespace {

std::string make_project(const std::string& root) {
    const std::string folder = root + "bench-project\\";
    platform::make_directories(folder + "res\\values");
    platform::make_directories(folder + "src\\com\\example\\bench");
    platform::write_file(folder + "AndroidManifest.xml",
                         "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<manifest xmlns:android="
                         "\"http://schemas.android.com/apk/res/android\"\r\n    package=\"com."
                         "example.bench\" android:versionCode=\"1\" android:versionName=\"1.0\">"
                         "\r\n    <uses-sdk android:minSdkVersion=\"9\" android:targetSdkVersion="
                         "\"19\" />\r\n</manifest>\r\n");
    platform::write_file(folder + "res\\values\\strings.xml",
                         "<resources>\r\n    <string name=\"app_name\">Bench</string>\r\n"
                         "</resources>\r\n");
    platform::write_file(folder + "src\\com\\example\\bench\\Main.java",
                         "package com.example.bench;\r\n\r\npublic class Main {}\r\n");
    return folder;
}

// The same tool calls as one compile, back to back from one batch file.
std::string baseline_batch(const build::tool_config& tools, const std::string& project,
                           const std::string& check_folder) {
    std::string out = "@echo off\r\n" + build::tool_path_lines(tools, true);
    out += project.substr(0, 2) + "\r\ncd " + project + "\r\n";
    out += "copy " + tools.keystore_path + " " + check_folder + "tmpkeystore > nul\r\n";
    out += "cd " + check_folder + "\r\n";
    out += build::changealias_command("demo", "demo-pass") + " > temp.txt 2>&1\r\n";
    out += "del tmpkeystore\r\ncd " + project + "\r\n";
    out += "copy " + tools.keystore_path + " release.keystore > nul\r\n";
    out += build::update_project_command("bench", 1) + " > temp.txt 2>&1\r\n";
    out += "call ant clean > temp.txt 2>&1\r\n";
    out += "call ant release -logfile ant_log.txt > temp.txt 2>&1\r\n";
    out += "if not exist .avlo mkdir .avlo\r\n";
    out += "copy bin\\bench-release.apk .avlo\\unsigned.apk > nul\r\ncd .avlo\r\n";
    out += build::zipalign_command() + " > temp.txt 2>&1\r\n";
    out += "copy " + tools.keystore_path + " cert.jks > nul\r\n";
    out += build::apksigner_command("demo", "demo-pass").line + " > temp.txt 2>&1\r\n";
    out += "cd ..\r\ncall ant clean > temp.txt 2>&1\r\n";
    return out;
}

struct search {
    DWORD pid;
    std::wstring title;
    bool message_box;
    HWND found;
};

BOOL CALLBACK find(HWND hwnd, LPARAM param) {
    auto* s = reinterpret_cast<search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != s->pid || !IsWindowVisible(hwnd)) return TRUE;
    wchar_t cls[64] = {}, text[256] = {};
    GetClassNameW(hwnd, cls, 64);
    GetWindowTextW(hwnd, text, 256);
    const bool is_box = std::wstring(cls) == L"#32770" && GetDlgItem(hwnd, 0xFFFF);
    if (s->message_box ? is_box : (!is_box && s->title == text)) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND wait_for(DWORD pid, const std::wstring& title, bool message_box, int timeout_ms) {
    const auto start = clock_type::now();
    while (ms_since(start) < timeout_ms) {
        search s{pid, title, message_box, nullptr};
        EnumWindows(find, reinterpret_cast<LPARAM>(&s));
        if (s.found) return s.found;
        Sleep(10);  // a lighter poll: each look is a round of requests to the Wine server
    }
    return nullptr;
}

struct owned_search {
    HWND owner;
    HWND found;
};

BOOL CALLBACK find_owned(HWND hwnd, LPARAM param) {
    auto* s = reinterpret_cast<owned_search*>(param);
    if (GetWindow(hwnd, GW_OWNER) != s->owner || !IsWindowVisible(hwnd)) return TRUE;
    s->found = hwnd;
    return FALSE;
}

// The dialog or message box in front of a window (owned by it), if any.
HWND window_in_front(HWND owner) {
    owned_search s{owner, nullptr};
    EnumWindows(find_owned, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int runs = argc > 1 ? _wtoi(argv[1]) : 5;
    const std::string bin = platform::program_folder();
    const std::string root = platform::temp_folder() + "\\vexlo-compile-bench\\";
    build::tool_config tools;
    if (!use_stand_in_tools(bin, root, tools)) {
        std::printf("cannot lay out the stand-in tools\n");
        return 1;
    }
    const std::string project = make_project(root);

    // Baseline: one batch file, started like the program starts its command interpreter.
    const std::string check_folder = root + "check\\";
    platform::make_directories(check_folder);
    platform::write_file(root + "baseline.bat", baseline_batch(tools, project, check_folder));
    std::vector<double> baseline;
    auto run_baseline = [&] {
        const auto start = clock_type::now();
        run_and_wait("cmd.exe /d /c \"" + root + "baseline.bat\"", root);
        baseline.push_back(ms_since(start));
    };
    run_baseline();  // the first start of anything is slower
    baseline.clear();

    // Vexlo.exe with the project in its recent list.
    PROCESS_INFORMATION pi{};
    if (!start_vexlo(bin, project, pi)) {
        std::printf("cannot start Vexlo.exe\n");
        return 1;
    }
    WaitForInputIdle(pi.hProcess, 10000);
    HWND main = wait_for(pi.dwProcessId, platform::widen(shell::kWindowCaption), false, 20000);
    if (!main) {
        std::printf("no main window\n");
        return 1;
    }
    load_recent_project(main);

    // The probers: the longest time each window takes to answer a sent message. One thread
    // for the main window, one for whatever dialog or box is in front of it (it may belong to
    // another thread of the program).
    std::atomic<bool> probing{false}, stop{false};
    std::atomic<long long> longest_main_us{0}, longest_front_us{0}, click_us{0};
    const auto epoch = clock_type::now();
    std::mutex slow_lock;
    std::vector<std::string> slow;  // answers slower than 50 ms, for the report
    auto probe = [&](bool front, std::atomic<long long>& longest) {
        HWND target = front ? nullptr : main;
        while (!stop) {
            if (front && (!target || !IsWindow(target)))
                target = probing ? window_in_front(main) : nullptr;
            if (probing && target) {
                const auto start = clock_type::now();
                DWORD_PTR r = 0;
                SendMessageTimeoutW(target, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &r);
                const long long us =
                    std::chrono::duration_cast<std::chrono::microseconds>(clock_type::now() - start)
                        .count();
                if (probing && us > longest) longest = us;
                if (probing && us > 50000) {
                    const long long at =
                        std::chrono::duration_cast<std::chrono::microseconds>(start - epoch)
                            .count() -
                        click_us;
                    char line[128];
                    std::snprintf(line, sizeof line,
                                  "%s answered in %.0f ms, %.0f ms after a click",
                                  front ? "dialog" : "main window", us / 1000.0, at / 1000.0);
                    std::lock_guard<std::mutex> lock(slow_lock);
                    slow.push_back(line);
                }
            }
            Sleep(5);
        }
    };
    std::thread main_prober(probe, false, std::ref(longest_main_us));
    std::thread front_prober(probe, true, std::ref(longest_front_us));

    // The first compile asks for the keystore; the measured ones ask nothing.
    press(main, shell::id_compile);
    if (HWND q = wait_for(pi.dwProcessId, L"", true, 30000)) {
        press_and_wait(q, IDYES);
    }
    std::vector<double> compiles;
    for (int i = 0; i <= runs; ++i) {
        HWND done = wait_for(pi.dwProcessId, L"", true, 60000);
        if (!done) {
            std::printf("no outcome message\n");
            break;
        }
        wchar_t text[64] = {};
        GetDlgItemTextW(done, 0xFFFF, text, 64);
        probing = false;
        press_and_wait(done, IDOK);
        if (std::wstring(text).rfind(L"Project has been successfully built", 0) != 0) {
            std::printf("compile did not succeed: %ls\n", text);
            break;
        }
        if (i == runs) break;
        Sleep(300);  // Explorer opens its window; let it settle
        run_baseline();
        probing = true;
        const auto start = clock_type::now();
        click_us = std::chrono::duration_cast<std::chrono::microseconds>(start - epoch).count();
        press(main, shell::id_compile);
        done = wait_for(pi.dwProcessId, L"", true, 60000);
        compiles.push_back(ms_since(start));
    }
    stop = true;
    main_prober.join();
    front_prober.join();
    TerminateProcess(pi.hProcess, 0);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);

    for (const std::string& line : slow) std::printf("slow: %s\n", line.c_str());
    auto list = [](const std::vector<double>& v) {
        std::string out;
        for (double x : v) out += " " + std::to_string(static_cast<int>(x + 0.5));
        return out;
    };
    const double b = median(baseline), c = median(compiles);
    std::printf("tool calls from one batch file (ms):%s\n", list(baseline).c_str());
    std::printf("in-app compiles, click to success message (ms):%s\n", list(compiles).c_str());
    std::printf("medians: batch file %.0f ms, in-app %.0f ms, ratio %.2f\n", b, c,
                b > 0 ? c / b : 0.0);
    std::printf(
        "longest answer during the compiles: main window %.1f ms, dialog in front %.1f ms\n",
        longest_main_us / 1000.0, longest_front_us / 1000.0);
    return compiles.size() == static_cast<std::size_t>(runs) ? 0 : 1;
}
