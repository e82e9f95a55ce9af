#pragma once
// The controls of the "res/drawable image" dialog (the tests drive them by these ids).
namespace vexlo::drawable_ids {

inline constexpr int intro = 1015;
inline constexpr int name = 1028;
inline constexpr int group = 1016;
inline constexpr int ok = 1018;
inline constexpr int cancel = 1019;
inline constexpr int preview = 1033;
inline constexpr int first_check = 1001;  // one check box per density row
inline constexpr int first_label = 1007;  // the size in words beside each row's box
inline constexpr int first_size = 1011;   // one size box per density row
inline constexpr int row_count = 4;

}  // namespace vexlo::drawable_ids
