#include "core/text/encoding.h"

#include <cstdint>

#include "core/text/utf8.h"

namespace text {

bool is_valid_utf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto c = static_cast<std::uint8_t>(bytes[i]);
        std::size_t extra = 0;
        std::uint32_t min = 0;
        std::uint32_t code = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1, min = 0x80, code = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2, min = 0x800, code = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3, min = 0x10000, code = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= bytes.size()) return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto cc = static_cast<std::uint8_t>(bytes[i + k]);
            if ((cc & 0xC0) != 0x80) return false;
            code = (code << 6) | (cc & 0x3F);
        }
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        i += extra + 1;
    }
    return true;
}

namespace {
// Windows-1252 bytes 0x80..0x9F; 0 marks the five unassigned ones, kept as their C1 code.
constexpr std::uint16_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

std::string cp1252_to_utf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char ch : bytes) {
        const auto c = static_cast<std::uint8_t>(ch);
        if (c >= 0x80 && c <= 0x9F && kHigh[c - 0x80] != 0)
            text::append_utf8(out, kHigh[c - 0x80]);
        else
            text::append_utf8(out, c);
    }
    return out;
}

std::string display_text(std::string_view stored_bytes) {
    return is_valid_utf8(stored_bytes) ? std::string(stored_bytes) : cp1252_to_utf8(stored_bytes);
}

std::string stored_text(std::string_view control_text, std::string_view stored_bytes) {
    if (control_text == display_text(stored_bytes)) return std::string(stored_bytes);
    return std::string(control_text);
}

}  // namespace text
