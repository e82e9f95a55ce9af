#include "winui/command_runner.h"

#include <shellapi.h>

#include "core/build/runner_session_text.h"
#include "platform/platform.h"
#include "platform/win32/utf16.h"

std::wstring command_interpreter() {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableW(L"ComSpec", buffer, MAX_PATH);
    if (n > 0 && n < MAX_PATH) return buffer;
    const UINT m = GetSystemDirectoryW(buffer, MAX_PATH);
    return std::wstring(buffer, m < MAX_PATH ? m : 0) + L"\\cmd.exe";
}

namespace {

struct started_batch {
    unique_file_handle process;
    bool in_job = false;
};

// Starts "cmd /d /c temp.bat" in the folder, suspended until it belongs to the job, so not
// even its first child can escape a Cancel. (Visible runs: captured runs go through the job's
// interpreter.)
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

DWORD wait_any_serving_messages(const HANDLE* handles, DWORD count) {
    bool quit_seen = false;
    int quit_code = 0;
    DWORD result = WAIT_FAILED;
    for (;;) {
        const DWORD r =
            MsgWaitForMultipleObjectsEx(count, handles, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (r < WAIT_OBJECT_0 + count) {
            result = r - WAIT_OBJECT_0;
            break;
        }
        if (r == WAIT_OBJECT_0 + count) {
            serve_messages(quit_seen, quit_code);
            continue;
        }
        // WAIT_FAILED: a handle that cannot be waited on; the wait is over.
        break;
    }
    if (quit_seen) PostQuitMessage(quit_code);
    return result;
}

bool wait_serving_messages(HANDLE handle, HANDLE cancel_event) {
    const HANDLE handles[2] = {handle, cancel_event};
    return wait_any_serving_messages(handles, cancel_event ? 2 : 1) != 1;
}

build::tool_config batch_readable_tools(const build::tool_config& tools) {
    build::tool_config readable = tools;
    for (std::string* path : {&readable.jdk_path, &readable.android_sdk_path,
                              &readable.build_tools_path, &readable.ant_path})
        *path = platform::batch_readable_path(*path);
    return readable;
}

namespace {

build::run_outcome ended_with(build::run_status status) {
    return build::run_outcome{status, std::string(build::status_word(status))};
}

// A captured run through the job's interpreter, which the first such run starts.
batch_session::outcome run_in_session(tool_job& job, const std::string& request_bytes) {
    batch_session& session = job.session();
    // Started anew when missing or gone since the last run; once only.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!session.running() && !session.start(job)) return batch_session::outcome::unavailable;
        const batch_session::outcome result = session.run(request_bytes, job.cancel_event());
        if (result != batch_session::outcome::unavailable) return result;
        session.end();
    }
    return batch_session::outcome::unavailable;
}

}  // namespace

build::run_outcome run_tool(const build::tool_config& tools, const run_request& request,
                            tool_job* job) {
    tool_job own_job;
    tool_job& j = job ? *job : own_job;
    if (j.cancelled()) return ended_with(build::run_status::cancelled);

    const bool visible = request.show < 0;
    const std::string folder = build::runner_folder(request.folder, platform::program_folder());
    const std::string batch = folder + std::string(build::kRunnerBatchName);
    const std::string output = folder + std::string(build::kRunnerOutputName);
    // cmd.exe reads batch files in the console's code page, not in UTF-8; a folder whose name
    // that code page lacks is named by its short form.
    const std::string readable_folder =
        build::runner_folder(platform::batch_readable_path(folder), folder);
    std::string batch_bytes, request_bytes;
    if (!platform::batch_encoding(
            build::runner_batch_text(batch_readable_tools(tools), readable_folder, request.command,
                                     !visible, request.variant, request.variables),
            batch_bytes) ||
        !platform::batch_encoding(build::session_request_text(readable_folder), request_bytes))
        return ended_with(build::run_status::cannot_encode);
    // An output file left by an earlier run must never pass for this run's output.
    if (!visible) platform::remove_file(output);
    if (!platform::write_file(batch, batch_bytes) || !platform::file_exists(batch))
        return ended_with(build::run_status::cannot_write);

    bool cancelled = false;
    if (visible) {
        started_batch started = start_batch(folder, visible, j);
        if (!started.process.valid()) {
            platform::remove_file(batch);
            return ended_with(build::run_status::cannot_start);
        }
        cancelled = !wait_serving_messages(started.process.get(), j.cancel_event()) || j.cancelled();
        if (cancelled) {
            // The job is being ended; a process outside any job is ended by hand. Its files
            // are released once it is gone.
            if (!started.in_job) TerminateProcess(started.process.get(), 1);
            WaitForSingleObject(started.process.get(), 5000);
        }
    } else {
        const batch_session::outcome result = run_in_session(j, request_bytes);
        if (result == batch_session::outcome::unavailable) {
            platform::remove_file(batch);
            return ended_with(build::run_status::cannot_start);
        }
        cancelled = result == batch_session::outcome::cancelled || j.cancelled();
        if (cancelled) j.session().wait_gone(5000);
        // A tool that ended the interpreter itself ended its run with it; the next run gets a
        // new one.
        if (cancelled || result == batch_session::outcome::ended) j.end_session();
    }
    if (cancelled) {
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
