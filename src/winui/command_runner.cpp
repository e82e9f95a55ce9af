#include "winui/command_runner.h"

#include <shellapi.h>

#include "platform/platform.h"
#include "platform/win32/utf16.h"

namespace {

// The command interpreter named by the system, or the one in the system folder.
std::wstring command_interpreter() {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableW(L"ComSpec", buffer, MAX_PATH);
    if (n > 0 && n < MAX_PATH) return buffer;
    const UINT m = GetSystemDirectoryW(buffer, MAX_PATH);
    return std::wstring(buffer, m < MAX_PATH ? m : 0) + L"\\cmd.exe";
}

struct started_batch {
    unique_file_handle process;
    bool in_job = false;
};

// Starts "cmd /d /c temp.bat" in the folder, suspended until it belongs to the job, so not
// even its first child can escape a Cancel.
started_batch start_batch(const std::string& folder, bool visible, tool_job& job) {
    std::wstring command_line = L"cmd.exe /d /c temp.bat";
    const std::wstring interpreter = command_interpreter();
    const std::wstring directory = widen(folder);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = visible ? SW_SHOWNORMAL : SW_HIDE;
    const DWORD flags =
        CREATE_SUSPENDED | CREATE_UNICODE_ENVIRONMENT | (visible ? CREATE_NEW_CONSOLE : CREATE_NO_WINDOW);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(interpreter.c_str(), command_line.data(), nullptr, nullptr, FALSE, flags,
                        nullptr, directory.c_str(), &startup, &info))
        return started_batch{unique_file_handle(nullptr), false};
    started_batch started{unique_file_handle(info.hProcess), job.adopt(info.hProcess)};
    unique_file_handle thread(info.hThread);
    if (job.cancelled())
        TerminateProcess(info.hProcess, 1);
    else
        ResumeThread(thread.get());
    return started;
}

void serve_messages(bool& quit_seen, int& quit_code) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Handed back to the real message loop once the wait is over.
            quit_seen = true;
            quit_code = static_cast<int>(msg.wParam);
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace

tool_job::tool_job()
    : job_(CreateJobObjectW(nullptr, nullptr)),
      cancel_event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

void tool_job::cancel() {
    cancelled_.store(true);
    if (cancel_event_.valid()) SetEvent(cancel_event_.get());
    if (job_.valid()) TerminateJobObject(job_.get(), 1);
}

bool tool_job::adopt(HANDLE process) {
    return job_.valid() && AssignProcessToJobObject(job_.get(), process);
}

bool wait_serving_messages(HANDLE handle, HANDLE cancel_event) {
    const HANDLE handles[2] = {handle, cancel_event};
    const DWORD count = cancel_event ? 2 : 1;
    bool quit_seen = false;
    int quit_code = 0;
    bool ended = true;
    for (;;) {
        const DWORD r =
            MsgWaitForMultipleObjectsEx(count, handles, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (r == WAIT_OBJECT_0) break;
        if (count == 2 && r == WAIT_OBJECT_0 + 1) {
            ended = false;
            break;
        }
        if (r == WAIT_OBJECT_0 + count) {
            serve_messages(quit_seen, quit_code);
            continue;
        }
        // WAIT_FAILED: a handle that cannot be waited on; treat the wait as over.
        break;
    }
    if (quit_seen) PostQuitMessage(quit_code);
    return ended;
}

build::run_outcome run_tool(const build::tool_config& tools, const run_request& request,
                            tool_job* job) {
    tool_job own_job;
    tool_job& j = job ? *job : own_job;
    auto ended_with = [](build::run_status status) {
        return build::run_outcome{status, std::string(build::status_word(status))};
    };
    if (j.cancelled()) return ended_with(build::run_status::cancelled);

    const bool visible = request.show < 0;
    const std::string folder = build::runner_folder(request.folder, platform::program_folder());
    const std::string batch = folder + std::string(build::kRunnerBatchName);
    const std::string output = folder + std::string(build::kRunnerOutputName);
    // An output file left by an earlier run must never pass for this run's output.
    if (!visible) platform::remove_file(output);
    const std::string text = build::runner_batch_text(tools, folder, request.command, !visible,
                                                      request.variant, request.variables);
    if (!platform::write_file(batch, text) || !platform::file_exists(batch))
        return ended_with(build::run_status::cannot_write);

    started_batch started = start_batch(folder, visible, j);
    if (!started.process.valid()) {
        platform::remove_file(batch);
        return ended_with(build::run_status::cannot_start);
    }
    bool ended = wait_serving_messages(started.process.get(), j.cancel_event());
    if (!ended || j.cancelled()) {
        // The job is being ended; a process outside any job is ended by hand. Its files are
        // released once it is gone.
        if (!started.in_job) TerminateProcess(started.process.get(), 1);
        WaitForSingleObject(started.process.get(), 5000);
        platform::remove_file(batch);
        platform::remove_file(output);
        return ended_with(build::run_status::cancelled);
    }
    platform::remove_file(batch);
    if (visible) return {build::run_status::finished, std::string(build::kResultOk)};

    std::string bytes;
    if (!platform::read_file(output, bytes)) return ended_with(build::run_status::cannot_write);
    platform::remove_file(output);
    return {build::run_status::finished, build::runner_result(false, true, bytes)};
}

std::string run_command(const build::tool_config& tools, std::string_view command,
                        std::string_view folder, int show, build::runner_variant variant) {
    run_request request;
    request.command = std::string(command);
    request.folder = std::string(folder);
    request.show = show;
    request.variant = variant;
    return run_tool(tools, request).text;
}

unique_file_handle shell_execute_wait(const std::string& file, const std::string& parameters,
                                      int show_command) {
    const std::wstring wide_file = widen(file);
    const std::wstring wide_parameters = widen(parameters);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpFile = wide_file.c_str();
    info.lpParameters = wide_parameters.empty() ? nullptr : wide_parameters.c_str();
    info.nShow = show_command;
    if (!ShellExecuteExW(&info)) return unique_file_handle(nullptr);
    return unique_file_handle(info.hProcess);
}
