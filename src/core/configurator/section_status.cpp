#include "core/configurator/section_status.h"

namespace configurator {
namespace {

section_view path_section(const std::string& path) {
    section_view v;
    v.path_known = !path.empty();
    v.path = path;
    v.stripe = v.path_known ? stripe_colour::green : stripe_colour::red;
    return v;
}

int evaluated_sdk_state(int state, int& target_id, const std::vector<api_target>& targets) {
    if (targets.size() == 1) {
        target_id = targets.front().id;
        return api_level_ok(targets.front().description, targets) ? 1 : 0;
    }
    if (targets.empty()) return 0;
    if (target_id == 0) return 0;
    const api_target* chosen = find_target(targets, target_id);
    if (!chosen) return state;  // an id the SDK does not list decides nothing
    return api_level_ok(chosen->description, targets) ? 1 : 0;
}

}  // namespace

status_view compute_status(const build::tool_config& config,
                           const std::vector<api_target>& targets) {
    status_view v;
    v.sdk_state = config.sdk_state;
    v.api_target_id = config.api_target_id;
    v.keystore_state = config.keystore_state;

    v.jdk = path_section(config.jdk_path);
    v.enable_create_keystore = v.jdk.path_known;

    if (config.sdk_state == -1 || config.android_sdk_path.empty()) {
        v.sdk.stripe = stripe_colour::red;
    } else {
        v.sdk.path_known = true;
        v.sdk.path = config.android_sdk_path;
        v.enable_configure_sdk = true;
        v.sdk_state = evaluated_sdk_state(config.sdk_state, v.api_target_id, targets);
        if (v.sdk_state == 1) {
            v.sdk.stripe = stripe_colour::green;
            v.sdk_face_set = true;
        } else if (v.sdk_state == 0) {
            v.sdk.stripe = stripe_colour::orange;
        }
    }

    v.ant = path_section(config.ant_path);

    if (!config.keystore_path.empty()) {
        v.keystore.path_known = true;
        v.keystore.path = config.keystore_path;
        v.enable_configure_keystore = true;
        v.keystore_face_set = config.keystore_state == 1;
        v.keystore.stripe = v.keystore_face_set ? stripe_colour::green : stripe_colour::orange;
    } else {
        v.keystore_state = -1;
        v.keystore.stripe = stripe_colour::red;
    }

    v.ready = !config.jdk_path.empty() && !config.android_sdk_path.empty() &&
              !config.ant_path.empty() && !config.keystore_path.empty() && v.sdk_state == 1 &&
              v.keystore_state == 1;
    return v;
}

const char* blink_face(int state, int blink_phase) {
    if (state != 0) return "";
    return blink_phase == 1 ? "BTNSET" : "BTNNUL";
}

}  // namespace configurator
