#include "core/project/sdk_advice.h"

#include "core/text/text_helpers.h"

namespace project {
namespace {

// A level as a number; -1 unless it is a plain whole number.
int level_of(std::string_view text) {
    const std::string trimmed = text::trim_spaces(text);
    if (trimmed.empty() || trimmed.size() > 4) return -1;
    int n = 0;
    for (char c : trimmed) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

std::string joined(const std::string& first, const std::vector<std::string>& lines) {
    std::string out = first;
    for (const std::string& line : lines) out += "|" + line;
    return out;
}

}  // namespace

const play_minimum* play_minimum_on(std::string_view today) {
    const play_minimum* found = nullptr;
    // ISO dates compare as text.
    for (const play_minimum& m : kPlayMinimums)
        if (today.size() == 10 && today >= m.since) found = &m;
    return found;
}

std::string sdk_levels_problem(std::string_view min_sdk, std::string_view target_sdk) {
    const int min = level_of(min_sdk), target = level_of(target_sdk);
    if (min < 0 || target < 0 || min <= target) return "";
    return "The min SDK (" + std::to_string(min) + ") is above the target SDK (" +
           std::to_string(target) +
           "): the build refuses such a project. Lower the min SDK or raise the target SDK.";
}

sdk_advice advice_for_levels(std::string_view min_sdk, std::string_view target_sdk,
                             std::string_view today) {
    sdk_advice advice;
    const int target = level_of(target_sdk);
    const std::string above = sdk_levels_problem(min_sdk, target_sdk);
    if (!above.empty()) {
        advice.min_sdk.push_back(above);
        advice.target_sdk.push_back(above);
    }
    if (target < 0) return advice;
    if (target < kLowestInstallableTarget)
        advice.target_sdk.push_back("A target SDK below " +
                                    std::to_string(kLowestInstallableTarget) +
                                    ": Android 14 and later refuse to install the app.");
    if (const play_minimum* play = play_minimum_on(today); play && target < play->target_sdk)
        advice.target_sdk.push_back(
            "Google Play takes new apps and updates only with a target "
            "SDK of " +
            std::to_string(play->target_sdk) + " or more (since " + std::string(play->since) +
            "): this one cannot be published there.");
    return advice;
}

std::string compile_advice(std::string_view min_sdk, std::string_view target_sdk,
                           std::string_view today, const std::vector<std::string>& schemes) {
    const sdk_advice advice = advice_for_levels(min_sdk, target_sdk, today);
    std::vector<std::string> lines = advice.target_sdk;
    const int target = level_of(target_sdk);
    const bool v1_only = schemes.size() == 1 && schemes.front() == "v1";
    if (target >= 30 && v1_only)
        lines.push_back(
            "The APK carries only a v1 signature: Android 11 and later refuse it for "
            "an app that targets API 30 or more.");
    std::string text;
    for (const std::string& line : lines) text += (text.empty() ? "" : "\r") + line;
    return text;
}

bool advice_memory::first_time(std::string_view project_folder, std::string_view min_sdk,
                               std::string_view target_sdk) {
    std::string key = text::to_lower_ascii(project_folder);
    key += '|';
    key += text::trim_spaces(min_sdk);
    key += '|';
    key += text::trim_spaces(target_sdk);
    for (const std::string& said : said_)
        if (said == key) return false;
    said_.push_back(std::move(key));
    return true;
}

std::string min_sdk_tooltip(const sdk_advice& advice) {
    return joined("Min SDK: the oldest Android API level the app installs on.", advice.min_sdk);
}

std::string target_sdk_tooltip(const sdk_advice& advice) {
    return joined("Target SDK: the Android API level the app is made and tested for.",
                  advice.target_sdk);
}

}  // namespace project
