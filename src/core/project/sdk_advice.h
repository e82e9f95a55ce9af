#pragma once
// What the SDK levels of a project mean for real phones and for publishing: advice only, never
// a barrier, except that a min SDK above the target SDK is refused (the build refuses it too).
#include <string>
#include <string_view>
#include <vector>

namespace project {

// Google Play's minimum target SDK for new apps and updates, each with the day it applies
// from (ISO dates, oldest first). The one place to update when the store raises it.
struct play_minimum {
    int target_sdk;
    std::string_view since;
};
inline constexpr play_minimum kPlayMinimums[] = {
    {31, "2022-11-01"},
    {33, "2023-08-31"},
    {34, "2024-08-31"},
    {35, "2025-08-31"},
};
// The minimum in force on the day ("YYYY-MM-DD"), or null before the first one.
const play_minimum* play_minimum_on(std::string_view today);

// The lowest target SDK that Android 14 and later install.
inline constexpr int kLowestInstallableTarget = 23;

// The advice for each box, one plain sentence per line ("" where there is nothing to say).
// Levels that are not whole numbers give no advice.
struct sdk_advice {
    std::vector<std::string> min_sdk;
    std::vector<std::string> target_sdk;
};
sdk_advice advice_for_levels(std::string_view min_sdk, std::string_view target_sdk,
                             std::string_view today);

// "" or the reason Apply refuses these levels.
std::string sdk_levels_problem(std::string_view min_sdk, std::string_view target_sdk);

// Added to a compile's success message: what the levels mean for phones and Google Play, and a
// signature that Android 11 and later refuse (only v1 on an app that targets API 30 or more).
// "" when there is nothing to say.
std::string compile_advice(std::string_view min_sdk, std::string_view target_sdk,
                           std::string_view today, const std::vector<std::string>& schemes);

// What was said already, so that each project and level hears its advice once while the
// program runs, never as a stream of boxes.
class advice_memory {
public:
    // True the first time a project (its folder) is seen with these levels.
    bool first_time(std::string_view project_folder, std::string_view min_sdk,
                    std::string_view target_sdk);

private:
    std::vector<std::string> said_;
};

// The tool-tip of each box: what the level is, then its advice.
std::string min_sdk_tooltip(const sdk_advice& advice);
std::string target_sdk_tooltip(const sdk_advice& advice);

}  // namespace project
