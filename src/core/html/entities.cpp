#include "core/html/entities.h"

#include <array>
#include <cstdint>

#include "core/text/utf8.h"

namespace html {
namespace {

struct named_entity {
    std::string_view name;
    std::uint32_t code_point;
    bool legacy;  // also recognised without the closing semicolon
};

constexpr std::array<named_entity, 40> kNamed{{
    {"nbsp", 0xA0, true},     {"amp", '&', true},        {"lt", '<', true},
    {"gt", '>', true},        {"quot", '"', true},       {"apos", '\'', false},
    {"copy", 0xA9, true},     {"reg", 0xAE, true},       {"trade", 0x2122, false},
    {"deg", 0xB0, true},      {"middot", 0xB7, true},    {"laquo", 0xAB, true},
    {"raquo", 0xBB, true},    {"sect", 0xA7, true},      {"para", 0xB6, true},
    {"times", 0xD7, true},    {"divide", 0xF7, true},    {"plusmn", 0xB1, true},
    {"euro", 0x20AC, false},  {"pound", 0xA3, true},     {"yen", 0xA5, true},
    {"cent", 0xA2, true},     {"hellip", 0x2026, false}, {"mdash", 0x2014, false},
    {"ndash", 0x2013, false}, {"bull", 0x2022, false},   {"lsquo", 0x2018, false},
    {"rsquo", 0x2019, false}, {"ldquo", 0x201C, false},  {"rdquo", 0x201D, false},
    {"eacute", 0xE9, true},   {"egrave", 0xE8, true},    {"ecirc", 0xEA, true},
    {"agrave", 0xE0, true},   {"ccedil", 0xE7, true},    {"uuml", 0xFC, true},
    {"ouml", 0xF6, true},     {"auml", 0xE4, true},      {"szlig", 0xDF, true},
    {"shy", 0xAD, true},
}};

// Numeric references to 0x80..0x9F mean the Windows-1252 characters there, as in browsers.
constexpr std::uint16_t kWindows1252[32] = {
    0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

bool is_alnum(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool is_hex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Tries a numeric reference at text[pos] == '&', '#' following; returns the length used.
std::size_t numeric(std::string_view text, std::size_t pos, std::string& out) {
    std::size_t i = pos + 2;
    const bool hex = i < text.size() && (text[i] == 'x' || text[i] == 'X');
    if (hex) ++i;
    const std::size_t digits_start = i;
    std::uint32_t value = 0;
    bool overflow = false;
    while (i < text.size() && (hex ? is_hex(text[i]) : (text[i] >= '0' && text[i] <= '9'))) {
        const char c = text[i];
        const std::uint32_t digit = c <= '9' ? static_cast<std::uint32_t>(c - '0')
                                             : static_cast<std::uint32_t>((c | 0x20) - 'a' + 10);
        if (value > 0x10FFFF)
            overflow = true;
        else
            value = value * (hex ? 16 : 10) + digit;
        ++i;
    }
    if (i == digits_start) return 0;  // "&#" without digits stays as text
    if (i < text.size() && text[i] == ';') ++i;
    if (overflow || value > 0x10FFFF || value == 0 || (value >= 0xD800 && value <= 0xDFFF))
        value = 0xFFFD;
    else if (value >= 0x80 && value <= 0x9F)
        value = kWindows1252[value - 0x80];
    text::append_utf8(out, value);
    return i - pos;
}

std::size_t named(std::string_view text, std::size_t pos, bool in_attribute, std::string& out) {
    std::size_t end = pos + 1;
    while (end < text.size() && is_alnum(text[end]) && end - pos <= 10) ++end;
    const std::string_view name = text.substr(pos + 1, end - pos - 1);
    const bool semicolon = end < text.size() && text[end] == ';';
    for (const named_entity& e : kNamed) {
        if (semicolon && name == e.name) {
            text::append_utf8(out, e.code_point);
            return end + 1 - pos;
        }
    }
    // Without a semicolon only the legacy names count, matched as the longest prefix.
    for (const named_entity& e : kNamed) {
        if (!e.legacy || name.substr(0, e.name.size()) != e.name) continue;
        const std::size_t after = pos + 1 + e.name.size();
        if (in_attribute && after < text.size() && (is_alnum(text[after]) || text[after] == '='))
            continue;
        text::append_utf8(out, e.code_point);
        return after - pos;
    }
    return 0;
}

}  // namespace

std::string decode_entities(std::string_view text, bool in_attribute) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t amp = text.find('&', pos);
        if (amp == std::string_view::npos) {
            out.append(text.substr(pos));
            break;
        }
        out.append(text.substr(pos, amp - pos));
        std::size_t used = 0;
        if (amp + 1 < text.size() && text[amp + 1] == '#')
            used = numeric(text, amp, out);
        else
            used = named(text, amp, in_attribute, out);
        if (used == 0) {
            out += '&';
            used = 1;
        }
        pos = amp + used;
    }
    return out;
}

}  // namespace html
