#include "winui/batch_session.h"

#include <atomic>
#include <cstdlib>
#include <string_view>
#include <utility>
#include <vector>
#include <memory>
#include <random>

#include "core/build/runner_session_text.h"
#include "platform/platform.h"
#include "platform/win32/utf16.h"
#include "winui/message_wait.h"
#include "winui/process_group.h"

namespace winui {

namespace {

std::string hex(unsigned long long value) {
    static const char digits[] = "0123456789abcdef";
    std::string out(16, '0');
    for (int i = 15; i >= 0; --i, value >>= 4)
        out[static_cast<std::size_t>(i)] = digits[value & 15];
    return out;
}

// A marker no tool prints by chance.
std::string new_marker() {
    std::random_device random;
    const unsigned long long value =
        (static_cast<unsigned long long>(random()) << 32) ^ random() ^ GetTickCount();
    return "vexlo-runner-done-" + hex(value);
}

constexpr const char* kHostName = "runner.bat";
constexpr const char* kRequestName = "request.bat";

void remove_session_files(const std::string& folder) {
    platform::remove_file(folder + kRequestName);
    platform::remove_file(folder + kHostName);
    platform::remove_directory(folder);
}

// An interpreter that has been told to end, and its folder, removed once it has gone.
struct leftover {
    HANDLE process;  // owned; may be null
    std::string folder;
    DWORD wait_ms;
};

// On the system's thread pool nobody waits for it, and the program may end before it does.
DWORD WINAPI remove_when_gone(LPVOID parameter) {
    std::unique_ptr<leftover> gone(static_cast<leftover*>(parameter));
    if (gone->process) {
        WaitForSingleObject(gone->process, gone->wait_ms);
        CloseHandle(gone->process);
    }
    if (gone->folder.empty()) return 0;
    // The system may let go of an ended interpreter's folder (its current folder) a moment
    // after the process has ended.
    for (int attempt = 0; attempt < 20; ++attempt) {
        remove_session_files(gone->folder);
        if (!platform::file_exists(gone->folder)) break;
        Sleep(50);
    }
    return 0;
}

// A program that ended while its interpreter was still going (the spare one kept for the next
// build, say) left that interpreter's folder behind. Each folder names its program's process;
// those of processes that are gone are removed whenever an interpreter starts (once per build).
void remove_folders_of_ended_programs() {
    static constexpr std::string_view kPrefix = "vexlo-runner-";
    const std::string temp = platform::temp_folder() + "\\";
    std::vector<platform::dir_entry> entries;
    if (!platform::list_directory(temp, entries)) return;
    for (const platform::dir_entry& e : entries) {
        if (!e.is_directory || e.is_link || e.name.rfind(kPrefix, 0) != 0) continue;
        const DWORD pid = std::strtoul(e.name.c_str() + kPrefix.size(), nullptr, 10);
        if (pid == 0 || pid == GetCurrentProcessId()) continue;
        platform::unique_file_handle process(OpenProcess(SYNCHRONIZE, FALSE, pid));
        const bool alive = process.valid() && WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
        if (!alive) remove_session_files(temp + e.name + "\\");
    }
}

}  // namespace

// Its standard input (a plain pipe) and its output (a named pipe, because only that can be read
// with a wait that also serves messages); the child's ends are inheritable, ours are not.
bool batch_session::open_pipes(const std::string& stem, platform::unique_file_handle& child_input,
                               platform::unique_file_handle& child_output) {
    // Our end of its input is never inheritable: a copy of it in any other process would keep
    // the interpreter's input from ever ending.
    HANDLE input_read = nullptr, input_write = nullptr;
    if (!CreatePipe(&input_read, &input_write, nullptr, 0)) return false;
    child_input = platform::unique_file_handle(input_read);
    input_ = platform::unique_file_handle(input_write);
    SetHandleInformation(input_read, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);

    const std::wstring pipe_name =
        L"\\\\.\\pipe\\" + platform::widen(stem) + L"-" + platform::widen(hex(GetTickCount64()));
    HANDLE read_end = CreateNamedPipeW(
        pipe_name.c_str(),
        PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
        PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT, 1, 4096, 4096, 0, nullptr);
    if (read_end == INVALID_HANDLE_VALUE) return false;
    output_ = platform::unique_file_handle(read_end);
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    child_output = platform::unique_file_handle(
        CreateFileW(pipe_name.c_str(), GENERIC_WRITE, 0, &inheritable, OPEN_EXISTING, 0, nullptr));
    read_done_ = platform::unique_file_handle(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    return child_output.valid() && read_done_.valid();
}

bool batch_session::start(process_group& group) {
    end();
    remove_folders_of_ended_programs();
    static std::atomic<unsigned> counter{0};
    const std::string stem =
        "vexlo-runner-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
    folder_ = platform::temp_folder() + "\\" + stem + "\\";
    marker_ = new_marker();
    platform::make_directories(folder_);
    if (!platform::write_file(folder_ + kHostName,
                              build::session_host_text(kRequestName, marker_))) {
        end();
        return false;
    }

    platform::unique_file_handle child_input, child_output;
    if (!open_pipes(stem, child_input, child_output)) {
        end();
        return false;
    }

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    startup.wShowWindow = SW_HIDE;
    startup.hStdInput = child_input.get();
    startup.hStdOutput = child_output.get();
    startup.hStdError = child_output.get();
    // Its own hidden console, shared by every tool it runs.
    process_group::started_process started =
        group.start_interpreter(L"/d /q /c \"" + platform::widen(folder_ + kHostName) + L"\"",
                                folder_, CREATE_NO_WINDOW, startup, true);
    if (!started.process.valid()) {
        end();
        return false;
    }
    process_ = std::move(started.process);
    in_group_ = started.in_group;
    return true;
}

batch_session::outcome batch_session::run(const std::string& request_bytes, HANDLE cancel_event) {
    if (!running() || WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0)
        return outcome::unavailable;
    if (!platform::write_file(folder_ + kRequestName, request_bytes)) return outcome::unavailable;
    DWORD written = 0;
    if (!WriteFile(input_.get(), build::kSessionRunLine.data(),
                   static_cast<DWORD>(build::kSessionRunLine.size()), &written, nullptr))
        return outcome::unavailable;

    std::string printed;
    char buffer[1024];
    for (;;) {
        OVERLAPPED overlapped{};
        overlapped.hEvent = read_done_.get();
        ResetEvent(read_done_.get());
        DWORD got = 0;
        BOOL ok = ReadFile(output_.get(), buffer, sizeof buffer, &got, &overlapped);
        if (!ok && GetLastError() == ERROR_IO_PENDING) {
            const HANDLE handles[3] = {read_done_.get(), process_.get(), cancel_event};
            const DWORD index = wait_any_serving_messages(handles, cancel_event ? 3 : 2);
            if (index != 0) {
                // The read must be over before its buffer goes.
                CancelIo(output_.get());
                GetOverlappedResult(output_.get(), &overlapped, &got, TRUE);
                return index == 2 ? outcome::cancelled : outcome::ended;
            }
            ok = GetOverlappedResult(output_.get(), &overlapped, &got, FALSE);
        }
        if (!ok) return outcome::ended;  // its end of the pipe has closed
        printed.append(buffer, got);
        if (build::take_session_marker(printed, marker_)) return outcome::finished;
    }
}

void batch_session::wait_gone(DWORD milliseconds) {
    if (!process_.valid()) return;
    if (!in_group_) TerminateProcess(process_.get(), 1);
    WaitForSingleObject(process_.get(), milliseconds);
}

void batch_session::end(bool wait_here) {
    input_.reset();  // its "set /p" sees the end of its input and it ends
    output_.reset();
    read_done_.reset();
    if (!process_.valid() && folder_.empty()) return;
    HANDLE process = process_.valid() ? process_.release() : nullptr;
    process_.reset();
    auto gone = std::make_unique<leftover>(
        leftover{process, std::exchange(folder_, std::string()), wait_here ? 2000u : 10000u});
    // It ends within moments, but its files can only be removed once it has: the thread pool
    // waits for that, so that no caller (a window's thread among them) is held up, unless the
    // caller waits itself.
    if (!wait_here && QueueUserWorkItem(remove_when_gone, gone.get(), WT_EXECUTELONGFUNCTION)) {
        gone.release();
        return;
    }
    remove_when_gone(gone.release());
}

}  // namespace winui
