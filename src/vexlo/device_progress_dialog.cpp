#include "vexlo/device_progress_dialog.h"

#include <commctrl.h>

#include "core/shell/main_window_model.h"
#include "vexlo/device_progress_ids.h"
#include "vexlo/progress_frame.h"
#include "winui/app_messages.h"
#include "winui/background_job.h"
#include "winui/dialog_base.h"
#include "winui/message_wait.h"

namespace vexlo {

namespace {

class device_progress : public winui::dialog_handler {
public:
    device_progress(const std::string& title, const std::string& step,
                    const build::tool_config& tools, const winui::run_request& request,
                    winui::tool_job& job)
        : title_(title), step_(step), tools_(tools), request_(request), job_(job) {}

    void on_init(HWND dialog) override {
        frame_.create(dialog, {title_, step_, true, 110, true});
        frame_.show_next_frame(dialog);
        const bool started = worker_.start([this, dialog] {
            build::run_outcome outcome = winui::run_tool(tools_, request_, &job_);
            // The dialog reads the outcome only after this job has ended.
            outcome_ = std::move(outcome);
            PostMessageW(dialog, winui::msg_device_step_done, 0, 0);
        });
        if (!started) {
            outcome_ = {build::run_status::cannot_start,
                        std::string(build::status_word(build::run_status::cannot_start))};
            PostMessageW(dialog, winui::msg_device_step_done, 0, 0);
        }
    }

    bool on_command(HWND dialog, int id, int) override {
        if (id != id_device_cancel && id != IDCANCEL) return false;
        cancel(dialog);
        return true;
    }

    bool on_message(HWND dialog, UINT message, WPARAM wparam, LPARAM, INT_PTR& result) override {
        switch (message) {
            case WM_TIMER:
                if (wparam == id_device_timer && !finished_) frame_.show_next_frame(dialog);
                return true;
            case WM_CLOSE: cancel(dialog); return true;
            case winui::msg_device_step_done: finish(dialog); return true;
            default: return frame_.colour(message, wparam, result);
        }
    }

    // After Cancel the job has ended adb, so the worker ends soon; the window's thread serves
    // its messages meanwhile.
    build::run_outcome outcome() {
        worker_.wait_serving_messages();
        if (job_.cancelled())
            return {build::run_status::cancelled, std::string(build::kResultCancelled)};
        return outcome_;
    }

private:
    void finish(HWND dialog) {
        if (finished_) return;  // Cancel and adb's own end may cross
        finished_ = true;
        frame_.stop(dialog);
        EndDialog(dialog, 0);
    }
    void cancel(HWND dialog) {
        job_.cancel();
        finish(dialog);
    }

    const std::string& title_;
    const std::string& step_;
    const build::tool_config& tools_;
    const winui::run_request& request_;
    winui::tool_job& job_;
    build::run_outcome outcome_{build::run_status::cancelled, std::string(build::kResultCancelled)};
    progress_frame frame_;
    bool finished_ = false;
    winui::background_job worker_;  // last: it ends before anything it uses goes
};

}  // namespace

build::run_outcome run_device_step(HWND owner, const std::string& title, const std::string& step,
                                   const build::tool_config& tools,
                                   const winui::run_request& request, winui::tool_job& job) {
    device_progress handler(title, step, tools, request, job);
    winui::dialog_outline outline;
    outline.caption = shell::kProgramCaption;
    outline.width = 170;
    outline.height = 50;
    if (winui::run_dialog(owner, outline, handler) < 0)
        job.cancel();  // no dialog to follow adb: it takes no further step
    return handler.outcome();
}

}  // namespace vexlo
