#pragma once
// The controls of the "Android SDK" chooser (the tests drive them by these ids).
namespace vexlo_config::api_chooser_ids {

inline constexpr int text = 1001;
inline constexpr int second_text = 1002;
inline constexpr int list = 1011;
inline constexpr int ok = 1018;       // the choose mode's button
inline constexpr int manager = 1018;  // the SDK manager picture of the other modes
inline constexpr int change = 1019;

}  // namespace vexlo_config::api_chooser_ids
