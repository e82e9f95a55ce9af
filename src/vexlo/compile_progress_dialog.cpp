#include "vexlo/compile_progress_dialog.h"

#include <commctrl.h>

#include <memory>

#include "core/build/compile_messages.h"
#include "core/shell/main_window_model.h"
#include "vexlo/compile_worker.h"
#include "vexlo/progress_frame.h"
#include "vexlo/compile_progress_ids.h"
#include "winui/dialog_base.h"
#include "winui/dialog_template.h"
#include "winui/dpi.h"
#include "winui/gdi_handles.h"
#include "winui/message_box.h"
#include "winui/text_controls.h"

namespace vexlo {

namespace {

// The last worker: a new build waits until it has ended, so two builds never share files.
std::unique_ptr<build_worker>& last_worker() {
    static std::unique_ptr<build_worker> worker;
    return worker;
}

// The build's own messages carry its steps; the dialog names each one.
build::build_step step_of(UINT message) {
    switch (message) {
        case winui::msg_compile_started: return build::build_step::compile_started;
        case winui::msg_clean_started: return build::build_step::clean_started;
        case winui::msg_updating: return build::build_step::updating;
        case winui::msg_cleaning: return build::build_step::cleaning;
        case winui::msg_compiling: return build::build_step::compiling;
        default: return build::build_step::signing;
    }
}

class progress_dialog : public winui::dialog_handler {
public:
    progress_dialog(const build::build_inputs& inputs, build_worker& worker)
        : inputs_(inputs), worker_(worker) {}

    void on_init(HWND dialog) override {
        // The animation shows once the worker has started.
        frame_.create(dialog, {"", "", false, 80, false});
        PostMessageW(dialog, WM_TIMER, id_progress_timer, 0);
        if (!worker_.attach(dialog))
            PostMessageW(dialog, winui::msg_build_finished, build::result_cannot_start, 0);
    }

    bool on_command(HWND dialog, int id, int) override {
        if (id != id_progress_cancel && id != IDCANCEL) return false;
        cancel(dialog);
        return true;
    }

    bool on_message(HWND dialog, UINT message, WPARAM wparam, LPARAM, INT_PTR& result) override {
        switch (message) {
            case WM_TIMER:
                if (wparam == id_progress_timer && !finished_) frame_.show_next_frame(dialog);
                return true;
            case WM_CLOSE: cancel(dialog); return true;
            case winui::msg_build_finished: finish(dialog, wparam); return true;
            case winui::msg_compile_started:
            case winui::msg_updating:
            case winui::msg_cleaning:
            case winui::msg_compiling:
            case winui::msg_signing:
            case winui::msg_clean_started: show_step(dialog, step_of(message)); return true;
            default: return frame_.colour(message, wparam, result);
        }
    }

private:
    void show_step(HWND dialog, build::build_step step) {
        const bool started =
            step == build::build_step::compile_started || step == build::build_step::clean_started;
        if (started) {
            winui::set_item_text(
                dialog, id_progress_title,
                build::progress_title(step, inputs_.app_name, inputs_.version_code));
            ShowWindow(GetDlgItem(dialog, id_progress_animation), SW_SHOW);
        }
        // A compile names its first step when it comes; a clean has only the one.
        if (step != build::build_step::compile_started)
            winui::set_item_text(dialog, id_progress_step, build::progress_step_text(step));
    }
    void finish(HWND dialog, WPARAM result) {
        if (finished_) return;  // Cancel and the worker's own end may cross
        finished_ = true;
        frame_.stop(dialog);
        worker_.detach();
        EndDialog(dialog, static_cast<INT_PTR>(result));
    }
    void cancel(HWND dialog) {
        worker_.cancel();
        finish(dialog, build::result_cancelled);
    }

    const build::build_inputs& inputs_;
    build_worker& worker_;
    progress_frame frame_;
    bool finished_ = false;
};

}  // namespace

build::build_result run_progress_dialog(HWND owner, bool clean_mode,
                                        const build::build_inputs& inputs,
                                        const build::tool_config& tools,
                                        std::shared_ptr<winui::tool_job> job,
                                        build::apk_verification* verification) {
    std::unique_ptr<build_worker>& worker = last_worker();
    if (worker) worker->wait();
    worker = std::make_unique<build_worker>(inputs, tools, clean_mode, std::move(job));
    progress_dialog handler(inputs, *worker);
    worker->start();
    winui::dialog_outline outline;
    outline.caption = shell::kProgramCaption;
    outline.width = 170;
    outline.height = 50;
    const INT_PTR result = winui::run_dialog(owner, outline, handler);
    if (result < 0) {
        // No dialog came up to follow the build: it takes no further step.
        worker->cancel();
        worker->detach();
        return build::result_cannot_start;
    }
    if (verification) *verification = worker->verification();
    return static_cast<build::build_result>(result);
}

}  // namespace vexlo
