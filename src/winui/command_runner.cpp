#include "winui/command_runner.h"

#include "core/build/runner_session_text.h"
#include "platform/platform.h"
#include "platform/win32/utf16.h"

namespace winui {

build::tool_config batch_readable_tools(const build::tool_config& tools) {
    build::tool_config readable = tools;
    for (std::string* path : {&readable.jdk_path, &readable.android_sdk_path,
                              &readable.build_tools_path, &readable.ant_path})
        *path = platform::batch_readable_path(*path);
    return readable;
}

namespace {

// "cmd /d /c temp.bat" in the folder, in a new visible console. (Captured runs go through the
// job's interpreter.)
process_group::started_process start_visible_batch(const std::string& folder, tool_job& job) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    return job.processes().start_interpreter(L"/d /c temp.bat", folder, CREATE_NEW_CONSOLE, startup,
                                             false);
}

build::run_outcome ended_with(build::run_status status) {
    return build::run_outcome{status, std::string(build::status_word(status))};
}

// A captured run through the job's interpreter, which the first such run starts.
batch_session::outcome run_in_session(tool_job& job, const std::string& request_bytes) {
    batch_session& session = job.session();
    // Started anew when missing or gone since the last run; once only.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!session.running() && !session.start(job.processes()))
            return batch_session::outcome::unavailable;
        const batch_session::outcome result = session.run(request_bytes, job.cancel_event());
        if (result != batch_session::outcome::unavailable) return result;
        session.end();
    }
    return batch_session::outcome::unavailable;
}

// A visible run in a console of its own; false when it could not start. cancelled: Cancel
// ended it.
bool run_visible(const std::string& folder, tool_job& job, bool& cancelled) {
    process_group::started_process started = start_visible_batch(folder, job);
    if (!started.process.valid()) return false;
    cancelled =
        !wait_serving_messages(started.process.get(), job.cancel_event()) || job.cancelled();
    if (cancelled) {
        // The job is being ended; a process outside any job is ended by hand. Its files are
        // released once it is gone.
        if (!started.in_group) TerminateProcess(started.process.get(), 1);
        WaitForSingleObject(started.process.get(), 5000);
    }
    return true;
}

// A captured run through the job's interpreter; false when there is none to run it.
bool run_captured(const std::string& request_bytes, tool_job& job, bool& cancelled) {
    const batch_session::outcome result = run_in_session(job, request_bytes);
    if (result == batch_session::outcome::unavailable) return false;
    cancelled = result == batch_session::outcome::cancelled || job.cancelled();
    if (cancelled) job.session().wait_gone(5000);
    // A tool that ended the interpreter itself ended its run with it; the next run gets a new
    // one.
    if (cancelled || result == batch_session::outcome::ended) job.end_session();
    return true;
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
    const bool ran =
        visible ? run_visible(folder, j, cancelled) : run_captured(request_bytes, j, cancelled);
    platform::remove_file(batch);
    if (!ran) return ended_with(build::run_status::cannot_start);
    if (cancelled) {
        platform::remove_file(output);
        return ended_with(build::run_status::cancelled);
    }
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

}  // namespace winui
