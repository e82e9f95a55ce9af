#pragma once
// The controls of the "Keystore" dialog (the tests drive them by these ids).
namespace winui::keystore_ids {

inline constexpr int prompt = 1007;
inline constexpr int alias_label = 1001;
inline constexpr int password_label = 1002;
inline constexpr int confirm_label = 1003;
inline constexpr int alias = 1011;
inline constexpr int password = 1012;
inline constexpr int confirm = 1013;

}  // namespace winui::keystore_ids
