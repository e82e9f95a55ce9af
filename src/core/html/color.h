#pragma once
// Colours as pages write them: the common names and hexadecimal forms.
#include <cstdint>
#include <optional>
#include <string_view>

namespace html {

using rgb = std::uint32_t;  // 0xRRGGBB

inline constexpr rgb kWhite = 0xFFFFFF;
inline constexpr rgb kBlack = 0x000000;

// "#rrggbb", "#rgb", "rrggbb" (older pages leave out the hash sign) or a colour name, in any
// letter case and with surrounding spaces; nothing for anything else.
std::optional<rgb> parse_color(std::string_view text);

}  // namespace html
