#include "core/text/utf8.h"

namespace text {

std::uint32_t next_code_point(std::string_view text, std::size_t& pos) {
    const auto c = static_cast<std::uint8_t>(text[pos]);
    if (c < 0x80) {
        ++pos;
        return c;
    }
    std::size_t extra = 0;
    std::uint32_t code = 0, min = 0;
    if ((c & 0xE0) == 0xC0) {
        extra = 1, code = c & 0x1F, min = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
        extra = 2, code = c & 0x0F, min = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
        extra = 3, code = c & 0x07, min = 0x10000;
    } else {
        ++pos;
        return 0xFFFD;
    }
    if (pos + extra >= text.size()) {  // truncated sequence
        ++pos;
        return 0xFFFD;
    }
    for (std::size_t k = 1; k <= extra; ++k) {
        const auto cc = static_cast<std::uint8_t>(text[pos + k]);
        if ((cc & 0xC0) != 0x80) {
            ++pos;
            return 0xFFFD;
        }
        code = (code << 6) | (cc & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        ++pos;
        return 0xFFFD;
    }
    pos += extra + 1;
    return code;
}

void append_utf8(std::string& out, std::uint32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::size_t next_boundary(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) return text.size();
    next_code_point(text, pos);
    return pos;
}

std::size_t previous_boundary(std::string_view text, std::size_t pos) {
    if (pos == 0) return 0;
    // Step back over continuation bytes, then check that decoding from there lands on pos;
    // a malformed sequence is walked one byte at a time, as next_code_point walks it.
    std::size_t start = pos - 1;
    while (start > 0 && pos - start < 4 && (static_cast<std::uint8_t>(text[start]) & 0xC0) == 0x80)
        --start;
    std::size_t probe = start;
    next_code_point(text, probe);
    return probe == pos ? start : pos - 1;
}

}  // namespace text
