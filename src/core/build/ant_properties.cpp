#include "core/build/ant_properties.h"

#include <cstdint>

#include "core/build/compile_batch_text.h"
#include "core/text/utf8.h"

namespace build {
namespace {

// The next code point of UTF-8 text; a byte that does not start a valid sequence stands for
// itself (as Windows-1252 text would be read by Latin-1).
std::uint32_t next_code_point(std::string_view s, std::size_t& i) {
    const std::size_t start = i;
    const std::uint32_t cp = text::next_code_point(s, i);
    if (cp == 0xFFFD && s.substr(start, 3) != "\xEF\xBF\xBD") {
        i = start + 1;
        return static_cast<unsigned char>(s[start]);
    }
    return cp;
}

void append_unicode_escape(std::string& out, std::uint32_t unit) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4) out.push_back(kDigits[(unit >> shift) & 0xF]);
}

int hex_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The value after a key up to its line end, or to the end of the text.
std::string raw_value(std::string_view text, std::string_view key, std::string_view eol) {
    const std::size_t at = text.find(key);
    if (at == std::string_view::npos) return "";
    const std::size_t from = at + key.size();
    const std::size_t end = text.find(eol, from);
    return std::string(text.substr(from, end == std::string_view::npos ? end : end - from));
}

}  // namespace

std::string escape_property_value(std::string_view value) {
    std::string out;
    out.reserve(value.size() + 8);
    bool leading = true;
    std::size_t i = 0;
    while (i < value.size()) {
        const std::uint32_t cp = next_code_point(value, i);
        if (cp == ' ' && leading) {
            out += "\\ ";
            continue;
        }
        leading = false;
        switch (cp) {
            case '\\': out += "\\\\"; break;
            case ':':
            case '=':
            case '#':
            case '!':
                out.push_back('\\');
                out.push_back(static_cast<char>(cp));
                break;
            case '\t': out += "\\t"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\f': out += "\\f"; break;
            default:
                if (cp >= 0x20 && cp < 0x7F) {
                    out.push_back(static_cast<char>(cp));
                } else if (cp < 0x10000) {
                    append_unicode_escape(out, cp);
                } else {
                    const std::uint32_t v = cp - 0x10000;
                    append_unicode_escape(out, 0xD800 + (v >> 10));
                    append_unicode_escape(out, 0xDC00 + (v & 0x3FF));
                }
        }
    }
    return out;
}

std::string unescape_property_value(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    std::uint32_t high_surrogate = 0;
    for (std::size_t i = 0; i < value.size(); ++i) {
        char c = value[i];
        std::uint32_t unit = static_cast<unsigned char>(c);
        bool from_escape = false;
        if (c == '\\' && i + 1 < value.size()) {
            c = value[++i];
            from_escape = true;
            switch (c) {
                case 't': unit = '\t'; break;
                case 'n': unit = '\n'; break;
                case 'r': unit = '\r'; break;
                case 'f': unit = '\f'; break;
                case 'u': {
                    int digits = 0;
                    std::uint32_t v = 0;
                    while (digits < 4 && i + 1 < value.size() && hex_value(value[i + 1]) >= 0) {
                        v = v * 16 + static_cast<std::uint32_t>(hex_value(value[++i]));
                        ++digits;
                    }
                    unit = v;
                    break;
                }
                default: unit = static_cast<unsigned char>(c);
            }
        }
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            high_surrogate = unit;
            continue;
        }
        if (unit >= 0xDC00 && unit <= 0xDFFF && high_surrogate) {
            text::append_utf8(out, 0x10000 + ((high_surrogate - 0xD800) << 10) + (unit - 0xDC00));
            high_surrogate = 0;
            continue;
        }
        high_surrogate = 0;
        // Plain bytes are copied as they are (the text is already UTF-8); escaped code units
        // become UTF-8.
        if (from_escape)
            text::append_utf8(out, unit);
        else
            out.push_back(static_cast<char>(unit));
    }
    return out;
}

std::string ant_properties_text(std::string_view keystore_file, std::string_view alias,
                                std::string_view password) {
    const std::string pass = escape_property_value(password);
    return "key.store=" + escape_property_value(file_name_of(keystore_file)) + "\r\n" +
           "key.alias=" + escape_property_value(alias) + "\r\n" + "key.store.password=" + pass +
           "\r\n" + "key.alias.password=" + pass + "\r\n";
}

ant_identity read_ant_identity(std::string_view properties_text) {
    const std::string_view eol =
        properties_text.find('\r') != std::string_view::npos ? "\r\n" : "\n";
    return {unescape_property_value(raw_value(properties_text, "key.alias=", eol)),
            unescape_property_value(raw_value(properties_text, "key.store.password=", eol))};
}

}  // namespace build
