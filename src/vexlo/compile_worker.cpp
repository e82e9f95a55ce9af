#include "vexlo/compile_worker.h"

namespace vexlo {

UINT message_for_step(build::build_step step) {
    switch (step) {
        case build::build_step::compile_started: return winui::msg_compile_started;
        case build::build_step::updating: return winui::msg_updating;
        case build::build_step::cleaning: return winui::msg_cleaning;
        case build::build_step::compiling: return winui::msg_compiling;
        case build::build_step::signing: return winui::msg_signing;
        case build::build_step::clean_started: return winui::msg_clean_started;
    }
    return winui::msg_cleaning;
}

// The build's outside world on the worker thread: tools through the command runner in the
// worker's job, steps as posted messages.
class worker_host : public build::build_host {
public:
    explicit worker_host(build_worker& worker) : worker_(worker) {}
    build::run_outcome run(const build::batch_command& command,
                           const std::string& folder) override {
        winui::run_request request;
        request.command = command.line;
        request.folder = folder;
        request.variables = command.variables;
        return winui::run_tool(worker_.tools_, request, worker_.job_.get());
    }
    void show_step(build::build_step step) override { worker_.post(message_for_step(step), 0); }
    bool cancelled() const override { return worker_.job_->cancelled(); }

private:
    build_worker& worker_;
};

build_worker::build_worker(const build::build_inputs& inputs, const build::tool_config& tools,
                           bool clean_mode, std::shared_ptr<winui::tool_job> job)
    : inputs_(inputs),
      tools_(tools),
      clean_mode_(clean_mode),
      job_(job ? std::move(job) : std::make_shared<winui::tool_job>()) {}

bool build_worker::start() {
    return thread_.start([this] { run(); }, [this] { cancel(); });
}

bool build_worker::attach(HWND dialog) {
    std::lock_guard<std::mutex> lock(dialog_lock_);
    dialog_ = dialog;
    for (const auto& [message, wparam] : kept_) PostMessageW(dialog_, message, wparam, 0);
    kept_.clear();
    return thread_.started();
}

void build_worker::detach() {
    std::lock_guard<std::mutex> lock(dialog_lock_);
    dialog_ = nullptr;
    detached_ = true;
    kept_.clear();
}

build::apk_verification build_worker::verification() const {
    std::lock_guard<std::mutex> lock(dialog_lock_);
    return verification_;
}

void build_worker::wait() {
    thread_.wait_serving_messages();
}

void build_worker::post(UINT message, WPARAM wparam) {
    std::lock_guard<std::mutex> lock(dialog_lock_);
    if (dialog_)
        PostMessageW(dialog_, message, wparam, 0);
    else if (!detached_)
        kept_.emplace_back(message, wparam);
}

void build_worker::run() {
    worker_host host(*this);
    build::apk_verification verification;
    const build::build_result result = clean_mode_
                                           ? build::clean_project(inputs_, host)
                                           : build::compile_project(inputs_, host, &verification);
    {
        std::lock_guard<std::mutex> lock(dialog_lock_);
        verification_ = std::move(verification);
    }
    post(winui::msg_build_finished, static_cast<WPARAM>(result));
    // The build's command interpreter goes once the dialog has its result.
    job_->end_session();
}

}  // namespace vexlo
