#include "core/configurator/api_check.h"

#include "core/build/command_runner_text.h"

namespace configurator {
namespace {

constexpr const char* kCr = "\r";

std::string mechanisms_text() {
    return std::string("There are mechanisms in the APK produced by Apkwright ") +
           "that will make it run correctly for devices using ";
}

std::string even_if_text(const std::string& description) {
    return "Even if your phone is using a lower Android version (e.g. " + description +
           "), you need to compile with at least an Android 4.3 target (API 18).";
}

api_rule_outcome warn(api_warning kind, std::string text, int id) {
    api_rule_outcome out;
    out.sets_sdk_state = true;
    out.sdk_state = 0;
    out.api_target_id = id;
    out.open_chooser = true;
    out.warning = kind;
    out.warning_text = std::move(text);
    return out;
}

}  // namespace

std::string one_api_too_low_text(const std::string& description) {
    return "Android SDK Manager only has one API installed: " + description +
           " which is lower than Android 4.3 (API 18)." + kCr + kCr + even_if_text(description) +
           kCr + mechanisms_text() + "lower versions of Android." + kCr + kCr +
           "Click OK to open the SDK Manager from the Guide and install Android 4.3 (API 18) "
           "or greater.";
}

std::string no_acceptable_api_text() {
    return std::string(
               "Android SDK Manager has several APIs installed but none equal to or "
               "greater than Android 4.3 (API 18).") +
           kCr + kCr +
           "Even if your phone is using a lower Android version, you need to compile with a "
           "target of at least Android 4.3 (API 18)." +
           kCr + mechanisms_text() + "a lower version of Android." + kCr + kCr +
           "Click OK to open the SDK Manager from the Guide and install Android 4.3 (API 18) "
           "or greater.";
}

std::string chosen_api_too_low_text(const std::string& description, bool in_chooser) {
    return "You chose " + description +
           " as your Android API target for compilation, which is lower than Android 4.3 "
           "(API 18)." +
           kCr + kCr + even_if_text(description) + kCr + mechanisms_text() +
           "lower versions of Android." + kCr + kCr +
           (in_chooser ? "Please choose a higher Android API."
                       : "Click OK to open the SDK Manager from the Guide and choose a higher "
                         "Android API.");
}

api_rule_outcome apply_api_rule(const std::vector<api_target>& targets, int api_target_id) {
    api_rule_outcome out;
    out.api_target_id = api_target_id;
    if (targets.empty()) {
        out.sets_sdk_state = true;
        out.sdk_state = 0;
        out.open_chooser = true;
        return out;
    }
    if (targets.size() == 1) {
        const api_target& only = targets.front();
        if (api_level_ok(only.description, targets)) {
            out.sets_sdk_state = true;
            out.sdk_state = 1;
            out.api_target_id = only.id;
            return out;
        }
        return warn(api_warning::one_too_low, one_api_too_low_text(only.description),
                    api_target_id);
    }
    if (!api_level_ok("", targets)) {
        api_rule_outcome none =
            warn(api_warning::none_acceptable, no_acceptable_api_text(), api_target_id);
        none.readiness_step = false;
        return none;
    }
    if (api_target_id == 0) {
        out.sets_sdk_state = true;
        out.sdk_state = 0;  // the configure button blinks; the user chooses
        return out;
    }
    const api_target* chosen = find_target(targets, api_target_id);
    if (!chosen) return out;  // an id the SDK does not list: nothing is decided
    if (api_level_ok(chosen->description, targets)) {
        out.sets_sdk_state = true;
        out.sdk_state = 1;
        return out;
    }
    return warn(api_warning::chosen_too_low, chosen_api_too_low_text(chosen->description, false),
                api_target_id);
}

api_check_result run_api_check(const build::tool_config& config, api_check_host& host) {
    api_check_result result;
    if (!config.keystore_path.empty() && !config.keystore_alias.empty() &&
        !config.keystore_password.empty()) {
        const auto answer = host.check_keystore(config.keystore_path, config.keystore_alias,
                                                config.keystore_password);
        result.keystore_checked = true;
        result.keystore_state = answer == api_check_host::alias_answer::fits ? 1 : 0;
    }
    if (host.stopped()) {
        result.stopped = true;
        return result;
    }
    if (config.android_sdk_path.empty()) {
        result.sdk_known = false;
        return result;
    }
    const std::string output = host.list_targets();
    if (host.stopped()) {
        result.stopped = true;
        return result;
    }
    result.targets_listed = true;
    if (output == build::kResultErrorWriting) {
        // The placeholder keeps the section orange: it names no acceptable level.
        result.targets.push_back({0, output});
        result.rule.api_target_id = config.api_target_id;
        result.rule.readiness_step = false;
        return result;
    }
    result.targets = parse_api_targets(output);
    result.rule = apply_api_rule(result.targets, config.api_target_id);
    return result;
}

bool apply_api_check(const api_check_result& result, build::tool_config& config,
                     std::vector<api_target>& targets, bool& open_chooser_pending) {
    if (result.stopped) return false;
    if (result.keystore_checked) config.keystore_state = result.keystore_state;
    if (!result.sdk_known) {
        config.sdk_state = -1;
        return false;
    }
    if (!result.targets_listed) return false;
    targets = result.targets;
    if (result.rule.sets_sdk_state) config.sdk_state = result.rule.sdk_state;
    config.api_target_id = result.rule.api_target_id;
    if (result.rule.open_chooser) open_chooser_pending = true;
    return result.rule.readiness_step && build::build_components_ready(config);
}

}  // namespace configurator
