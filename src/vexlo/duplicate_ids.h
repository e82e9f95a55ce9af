#pragma once
// The controls of the duplicate progress dialog (the tests find and read it by these ids).
namespace vexlo::duplicate_ids {

inline constexpr int animation = 1033;
inline constexpr int bar = 1037;
inline constexpr int title = 1001;
inline constexpr int status = 1002;

}  // namespace vexlo::duplicate_ids
