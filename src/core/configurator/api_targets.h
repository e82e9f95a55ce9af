#pragma once
// The Android API targets an SDK has installed, read from the output of
// "android list targets", and the one rule about them: compile with API level 18 or more.
#include <string>
#include <string_view>
#include <vector>

namespace configurator {

// The level every compile target must reach (Android 4.3).
inline constexpr int kMinimumApiLevel = 18;

struct api_target {
    int id = 0;
    // "Android " + version + " (API " + level text + ")"; the level text keeps the space that
    // follows "API level:", so it reads "Android 6.0 (API  23)".
    std::string description;
};

// The Android platform targets of the output, in its order. Add-ons (whose hash string does
// not begin with "android") are skipped, and so is an entry that lacks its "Name: Android"
// or "API level:" line or a usable id. Line ends may be CR LF or LF.
std::vector<api_target> parse_api_targets(std::string_view output);

// True when the description names an API level of 18 or more. An empty description asks the
// question of all the targets at once.
bool api_level_ok(std::string_view description, const std::vector<api_target>& targets);

// The first target with the id, or null.
const api_target* find_target(const std::vector<api_target>& targets, int id);

// A number as the old BASIC conversion reads it, rounded to the nearest integer: leading
// spaces skipped, digits with an optional fraction, 0 when there are none.
long long rounded_number(std::string_view text);

}  // namespace configurator
