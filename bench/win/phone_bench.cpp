// Measures what installing on a phone adds after a compile of Vexlo.exe under Wine, with the
// stand-in tools and the stand-in adb showing one phone: the time from the success message to
// the install question (OK is pressed at once, the worst case: adb lists the phones while the
// message is up), the time from Yes to the question that offers to start the app (the install
// behind its progress dialog), and the longest time the main window takes to answer a message
// meanwhile.
//     phone_bench.exe [runs]
// Needs Vexlo.exe beside it and the stand-in tools in ..\fake-tools. Rewrites Vexlo.cfg there.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

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
    platform::write_file(folder + "AndroidManifest.xml",
                         "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<manifest xmlns:android="
                         "\"http://schemas.android.com/apk/res/android\"\r\n    package=\"com."
                         "example.bench\" android:versionCode=\"1\" android:versionName=\"1.0\">"
                         "\r\n    <uses-sdk android:minSdkVersion=\"9\" android:targetSdkVersion="
                         "\"23\" />\r\n    <application android:label=\"@string/app_name\" />\r\n"
                         "</manifest>\r\n");
    platform::write_file(folder + "res\\values\\strings.xml",
                         "<resources>\r\n    <string name=\"app_name\">Bench</string>\r\n"
                         "</resources>\r\n");
    return folder;
}

struct search {
    DWORD pid;
    std::wstring prefix;  // of the message box's text; "" for the main window
    HWND found;
};

BOOL CALLBACK find(HWND hwnd, LPARAM param) {
    auto* s = reinterpret_cast<search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != s->pid || !IsWindowVisible(hwnd)) return TRUE;
    wchar_t text[256] = {};
    if (s->prefix.empty()) {
        GetWindowTextW(hwnd, text, 256);
        if (platform::widen(shell::kWindowCaption) != text) return TRUE;
    } else {
        wchar_t cls[64] = {};
        GetClassNameW(hwnd, cls, 64);
        if (std::wstring(cls) != L"#32770" || !GetDlgItem(hwnd, 0xFFFF)) return TRUE;
        GetDlgItemTextW(hwnd, 0xFFFF, text, 256);
        if (std::wstring(text).rfind(s->prefix, 0) != 0) return TRUE;
    }
    s->found = hwnd;
    return FALSE;
}

HWND wait_for(DWORD pid, const std::wstring& prefix, int timeout_ms = 60000) {
    const auto start = clock_type::now();
    while (ms_since(start) < timeout_ms) {
        search s{pid, prefix, nullptr};
        EnumWindows(find, reinterpret_cast<LPARAM>(&s));
        if (s.found) return s.found;
        Sleep(5);
    }
    return nullptr;
}

std::string list(const std::vector<double>& v) {
    std::string out;
    for (double x : v) {
        out += ' ';
        out += std::to_string(static_cast<int>(x + 0.5));
    }
    return out;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int runs = argc > 1 ? _wtoi(argv[1]) : 5;
    const std::string bin = platform::program_folder();
    const std::string root = platform::temp_folder() + "\\vexlo-phone-bench\\";
    build::tool_config tools;
    if (!use_stand_in_tools(bin, root, tools)) {
        std::printf("cannot lay out the stand-in tools\n");
        return 1;
    }
    const std::string project = make_project(root);
    // The stand-in adb sees one phone, which takes the APK.
    const std::string phone = root + "phone\\";
    platform::make_directories(phone);
    platform::write_file(phone + "fake-tools.txt", "adb_devices=PX7 device Pixel_7\r\n");
    SetEnvironmentVariableW(L"FAKE_ADB_FOLDER", platform::widen(phone).c_str());

    PROCESS_INFORMATION pi{};
    if (!start_vexlo(bin, project, pi)) {
        std::printf("cannot start Vexlo.exe\n");
        return 1;
    }
    HWND main = wait_for(pi.dwProcessId, L"", 20000);
    if (!main) {
        std::printf("no main window\n");
        return 1;
    }
    load_recent_project(main);

    // The longest time the main window takes to answer a sent message while the phone's part
    // of the flow runs (from the success message to the end).
    std::atomic<bool> probing{false}, stop{false};
    std::atomic<long long> longest_us{0};
    std::thread prober([&] {
        while (!stop) {
            if (probing) {
                const auto start = clock_type::now();
                DWORD_PTR r = 0;
                SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &r);
                const long long us =
                    std::chrono::duration_cast<std::chrono::microseconds>(clock_type::now() - start)
                        .count();
                if (probing && us > longest_us) longest_us = us;
            }
            Sleep(5);
        }
    });

    std::vector<double> to_question, installs;
    bool ok = true;
    for (int i = 0; i <= runs && ok; ++i) {
        press(main, shell::id_compile);
        if (i == 0) {  // the first compile asks for the keystore
            if (HWND q = wait_for(pi.dwProcessId, L"Use current")) press_and_wait(q, IDYES);
        }
        HWND done = wait_for(pi.dwProcessId, L"Project has been successfully built");
        if (!done) {
            std::printf("no success message\n");
            ok = false;
            break;
        }
        probing = true;
        const auto shown = clock_type::now();
        press(done, IDOK);
        HWND question = wait_for(pi.dwProcessId, L"A phone is connected");
        const double first = ms_since(shown);
        if (!question) {
            std::printf("no install question\n");
            ok = false;
            break;
        }
        const auto yes = clock_type::now();
        press(question, IDYES);
        HWND start = wait_for(pi.dwProcessId, L"Bench is installed on");
        const double install = ms_since(yes);
        if (!start) {
            std::printf("no start question\n");
            ok = false;
            break;
        }
        press_and_wait(start, IDNO);
        while (!IsWindowEnabled(main)) Sleep(5);  // the flow is over
        probing = false;
        if (i > 0) {  // the first start of anything is slower
            to_question.push_back(first);
            installs.push_back(install);
        }
        Sleep(300);  // Explorer opens its window; let it settle
    }
    stop = true;
    prober.join();
    TerminateProcess(pi.hProcess, 0);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);

    std::printf("success message (OK at once) to the install question (ms):%s\n",
                list(to_question).c_str());
    std::printf("Yes to the start question, install behind its dialog (ms):%s\n",
                list(installs).c_str());
    std::printf("medians: to the question %.0f ms, install %.0f ms\n", median(to_question),
                median(installs));
    std::printf("longest answer of the main window meanwhile: %.1f ms\n", longest_us / 1000.0);
    return ok ? 0 : 1;
}
