#pragma once
// The viewer frame's menu commands and child windows (the tests drive them by these ids).
namespace lumo::viewer_ids {

inline constexpr int menu_exit = 101;
inline constexpr int menu_home = 102;
inline constexpr int menu_back = 103;
inline constexpr int strip = 201;  // the red debug strip
inline constexpr int view = 202;   // the page view

}  // namespace lumo::viewer_ids
