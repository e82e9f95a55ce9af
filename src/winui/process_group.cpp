#include "winui/process_group.h"

#include "platform/win32/utf16.h"

namespace winui {

std::wstring command_interpreter() {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableW(L"ComSpec", buffer, MAX_PATH);
    if (n > 0 && n < MAX_PATH) return buffer;
    const UINT m = GetSystemDirectoryW(buffer, MAX_PATH);
    return std::wstring(buffer, m < MAX_PATH ? m : 0) + L"\\cmd.exe";
}

process_group::process_group()
    : job_(CreateJobObjectW(nullptr, nullptr)),
      cancel_event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

void process_group::cancel() {
    cancelled_.store(true);
    if (cancel_event_.valid()) SetEvent(cancel_event_.get());
    if (job_.valid()) TerminateJobObject(job_.get(), 1);
}

process_group::started_process process_group::start_interpreter(const std::wstring& arguments,
                                                                const std::string& folder,
                                                                DWORD flags, STARTUPINFOW& startup,
                                                                bool inherit_handles) {
    std::wstring command_line = L"cmd.exe " + arguments;
    const std::wstring interpreter = command_interpreter();
    const std::wstring directory = platform::widen(folder);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(interpreter.c_str(), command_line.data(), nullptr, nullptr,
                        inherit_handles ? TRUE : FALSE,
                        flags | CREATE_SUSPENDED | CREATE_UNICODE_ENVIRONMENT, nullptr,
                        directory.c_str(), &startup, &info))
        return {};
    started_process started;
    started.process = platform::unique_file_handle(info.hProcess);
    started.in_group = job_.valid() && AssignProcessToJobObject(job_.get(), info.hProcess);
    platform::unique_file_handle thread(info.hThread);
    if (cancelled())
        TerminateProcess(info.hProcess, 1);
    else
        ResumeThread(thread.get());
    return started;
}

}  // namespace winui
