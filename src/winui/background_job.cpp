#include "winui/background_job.h"

#include <objbase.h>

#include <utility>

#include "winui/message_wait.h"

namespace winui {

background_job::~background_job() {
    if (!started()) return;
    stop();
    join();
}

bool background_job::start(std::function<void()> work, std::function<void()> on_stop) {
    if (started()) return false;
    work_ = std::move(work);
    on_stop_ = std::move(on_stop);
    thread_ = platform::unique_file_handle(CreateThread(nullptr, 0, thread_main, this, 0, nullptr));
    return started();
}

bool background_job::finished() const {
    return started() && WaitForSingleObject(thread_.get(), 0) == WAIT_OBJECT_0;
}

void background_job::stop() {
    if (stop_asked_) return;
    stop_asked_ = true;
    if (on_stop_) on_stop_();
}

void background_job::wait_serving_messages() {
    if (started()) winui::wait_serving_messages(thread_.get());
    join();
}

bool background_job::wait_serving_messages_for(DWORD milliseconds) {
    if (!started()) return true;
    platform::unique_file_handle timer(CreateWaitableTimerW(nullptr, TRUE, nullptr));
    LARGE_INTEGER due;
    due.QuadPart = -static_cast<LONGLONG>(milliseconds) * 10000;  // relative, in 100 ns
    if (milliseconds > 0 && timer.valid() &&
        SetWaitableTimer(timer.get(), &due, 0, nullptr, nullptr, FALSE)) {
        const HANDLE handles[2] = {thread_.get(), timer.get()};
        wait_any_serving_messages(handles, 2);
    }
    return finished();
}

void background_job::join() {
    if (started()) WaitForSingleObject(thread_.get(), INFINITE);
}

// A thread procedure of its own: a lambda cannot become a stdcall function on 32-bit Windows.
DWORD WINAPI background_job::thread_main(LPVOID self) {
    auto& job = *static_cast<background_job*>(self);
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    try {
        job.work_();
    } catch (...) {
        // Nothing may cross the thread's edge; the work reports its own failures.
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return 0;
}

void run_beside_the_window(const std::function<void()>& work) {
    background_job job;
    if (job.start(work))
        job.wait_serving_messages();
    else
        work();
}

}  // namespace winui
