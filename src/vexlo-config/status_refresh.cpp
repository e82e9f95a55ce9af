#include "vexlo-config/status_refresh.h"

#include "vexlo-config/configurator_app.h"

namespace vexlo_config {

namespace {

bool same_inputs(const build::tool_config& a, const build::tool_config& b) {
    return a.jdk_path == b.jdk_path && a.android_sdk_path == b.android_sdk_path &&
           a.ant_path == b.ant_path && a.keystore_path == b.keystore_path &&
           a.api_target_id == b.api_target_id && a.sdk_state == b.sdk_state &&
           a.keystore_state == b.keystore_state;
}

}  // namespace

void status_refresh::request(HWND window) {
    if (running_) {
        again_ = true;
        return;
    }
    const build::tool_config config = app().config;
    const std::vector<configurator::api_target> targets = app().targets;
    running_ =
        worker_.start(window, winui::msg_refresh_done, [config, targets](const std::atomic<bool>&) {
            return result{config, targets.size(), configurator::compute_status(config, targets)};
        });
}

void status_refresh::apply_now(HWND window, section_painter& painter,
                               const main_window_resources& resources) {
    build::tool_config& config = app().config;
    const configurator::status_view view = configurator::compute_status(config, app().targets);
    config.sdk_state = view.sdk_state;
    config.api_target_id = view.api_target_id;
    config.keystore_state = view.keystore_state;
    painter.apply(window, view, resources);
}

void status_refresh::on_done(HWND window, section_painter& painter,
                             const main_window_resources& resources) {
    std::optional<result> r = worker_.take();
    if (!r) return;
    running_ = false;
    worker_.release_if_finished();
    build::tool_config& config = app().config;
    if (!same_inputs(r->from, config) || r->target_count != app().targets.size()) {
        request(window);  // computed from an older configuration: once more
        return;
    }
    config.sdk_state = r->view.sdk_state;
    config.api_target_id = r->view.api_target_id;
    config.keystore_state = r->view.keystore_state;
    painter.apply(window, r->view, resources);
    if (again_) {
        again_ = false;
        request(window);
    }
}

}  // namespace vexlo_config
