#include "core/html/color.h"

#include <array>
#include <string>

#include "core/text/text_helpers.h"

namespace html {
namespace {

struct named_color {
    std::string_view name;
    rgb value;
};

constexpr std::array<named_color, 34> kNames{{
    {"black", 0x000000},       {"silver", 0xC0C0C0},    {"gray", 0x808080},
    {"grey", 0x808080},        {"white", 0xFFFFFF},     {"maroon", 0x800000},
    {"red", 0xFF0000},         {"purple", 0x800080},    {"fuchsia", 0xFF00FF},
    {"magenta", 0xFF00FF},     {"green", 0x008000},     {"lime", 0x00FF00},
    {"olive", 0x808000},       {"yellow", 0xFFFF00},    {"navy", 0x000080},
    {"blue", 0x0000FF},        {"teal", 0x008080},      {"aqua", 0x00FFFF},
    {"cyan", 0x00FFFF},        {"orange", 0xFFA500},    {"brown", 0xA52A2A},
    {"pink", 0xFFC0CB},        {"gold", 0xFFD700},      {"violet", 0xEE82EE},
    {"indigo", 0x4B0082},      {"darkred", 0x8B0000},   {"darkgreen", 0x006400},
    {"darkblue", 0x00008B},    {"darkgray", 0xA9A9A9},  {"darkgrey", 0xA9A9A9},
    {"lightgray", 0xD3D3D3},   {"lightgrey", 0xD3D3D3}, {"darkorange", 0xFF8C00},
    {"lightyellow", 0xFFFFE0},
}};

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<rgb> parse_hex(std::string_view digits) {
    if (digits.size() != 6 && digits.size() != 3) return std::nullopt;
    rgb value = 0;
    for (char c : digits) {
        const int d = hex_digit(c);
        if (d < 0) return std::nullopt;
        // "#abc" stands for "#aabbcc".
        value = digits.size() == 3 ? value * 256 + static_cast<rgb>(d * 17)
                                   : value * 16 + static_cast<rgb>(d);
    }
    return value;
}

}  // namespace

std::optional<rgb> parse_color(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (text.empty()) return std::nullopt;
    if (text.front() == '#') return parse_hex(text.substr(1));
    const std::string lower = text::to_lower_ascii(text);
    for (const named_color& n : kNames)
        if (n.name == lower) return n.value;
    if (text.size() != 6) return std::nullopt;  // without the hash only the full form
    return parse_hex(text);
}

}  // namespace html
