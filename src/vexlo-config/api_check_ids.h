#pragma once
// The controls of the API check's progress dialog.
namespace vexlo_config::api_check_ids {

inline constexpr int title = 1001;
inline constexpr int note = 1002;
inline constexpr int animation = 1033;

}  // namespace vexlo_config::api_check_ids
