#pragma once
// The controls of the "Keystore details" dialog (the tests drive them by these ids).
namespace vexlo_config::keystore_details_ids {

inline constexpr int first_label = 1001;  // one label per box, in the boxes' order
inline constexpr int full_name = 1011;
inline constexpr int organisation_name = 1012;
inline constexpr int organisation_unit = 1013;
inline constexpr int city = 1015;
inline constexpr int state = 1016;
inline constexpr int country = 1017;

}  // namespace vexlo_config::keystore_details_ids
