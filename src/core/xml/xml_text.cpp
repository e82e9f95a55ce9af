#include "core/xml/xml_text.h"

#include <cstdint>

#include "core/text/utf8.h"

namespace xml {
namespace {

int digit_value(char c, bool hex) {
    if (c >= '0' && c <= '9') return c - '0';
    if (hex && c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (hex && c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool is_xml_char(std::uint32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// The reference at raw[i] ("&...;") appended to out; its length, or 0 when it is none.
std::size_t reference(std::string_view raw, std::size_t i, std::string& out) {
    const std::size_t semicolon = raw.find(';', i + 1);
    if (semicolon == std::string_view::npos || semicolon - i > 12) return 0;
    const std::string_view body = raw.substr(i + 1, semicolon - i - 1);
    static constexpr std::pair<std::string_view, char> kNamed[] = {
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
    for (const auto& [name, c] : kNamed) {
        if (body == name) {
            out += c;
            return semicolon - i + 1;
        }
    }
    if (body.size() < 2 || body[0] != '#') return 0;
    const bool hex = body[1] == 'x';
    const std::string_view digits = body.substr(hex ? 2 : 1);
    if (digits.empty()) return 0;
    std::uint32_t code = 0;
    for (char c : digits) {
        const int d = digit_value(c, hex);
        if (d < 0) return 0;
        code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(d);
        if (code > 0x10FFFF) return 0;
    }
    if (!is_xml_char(code)) return 0;
    text::append_utf8(out, code);
    return semicolon - i + 1;
}

}  // namespace

std::string decoded(std::string_view raw) {
    std::string out;
    out.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size();) {
        if (raw.substr(i, 9) == "<![CDATA[") {
            const std::size_t end = raw.find("]]>", i + 9);
            const std::size_t stop = end == std::string_view::npos ? raw.size() : end;
            out.append(raw.substr(i + 9, stop - i - 9));
            i = end == std::string_view::npos ? raw.size() : end + 3;
            continue;
        }
        if (raw[i] == '&') {
            if (const std::size_t n = reference(raw, i, out)) {
                i += n;
                continue;
            }
        }
        out += raw[i++];
    }
    return out;
}

std::string escaped(std::string_view value, char quote) {
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '\r': out += "&#13;"; break;
            case '"': out += quote == '"' ? "&quot;" : "\""; break;
            case '\'': out += quote == '\'' ? "&apos;" : "'"; break;
            case '\t': out += quote ? "&#9;" : "\t"; break;
            case '\n': out += quote ? "&#10;" : "\n"; break;
            default: out += c;
        }
    }
    return out;
}

}  // namespace xml
