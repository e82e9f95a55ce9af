#pragma once
// The controls of the "App permissions" dialog (the tests drive them by these ids).
namespace vexlo::permissions_ids {

inline constexpr int select_all = 1020;
inline constexpr int ok = 1018;
inline constexpr int cancel = 1019;
inline constexpr int first_box = 1100;  // one check box per permission row, in table order

}  // namespace vexlo::permissions_ids
