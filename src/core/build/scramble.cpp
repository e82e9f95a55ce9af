#include "core/build/scramble.h"

namespace build {
namespace {

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The value of the leading hexadecimal digits of a group of one or two characters; the
// conversion stops at the first character that is not a digit.
int group_value(std::string_view group) {
    int value = 0;
    for (char c : group) {
        const int d = hex_digit(c);
        if (d < 0) break;
        value = value * 16 + d;
    }
    return value;
}

}  // namespace

std::string shift_text(std::string_view text, std::string_view key, int direction) {
    std::string out(text);
    if (key.empty()) return out;
    std::size_t k = 0;
    for (char& c : out) {
        const int code = static_cast<unsigned char>(c);
        const int shift = static_cast<unsigned char>(key[k]);
        c = static_cast<char>((code + 256 + direction * shift) & 0xFF);
        k = (k + 1) % key.size();
    }
    return out;
}

std::string scramble_text(std::string_view text, std::string_view key) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const std::string shifted = shift_text(text, key, +1);
    std::string out;
    out.reserve(shifted.size() * 2);
    for (char c : shifted) {
        const unsigned char b = static_cast<unsigned char>(c);
        out.push_back(kDigits[b >> 4]);
        out.push_back(kDigits[b & 0x0F]);
    }
    return out;
}

std::string unscramble_text(std::string_view hex_text, std::string_view key) {
    std::string bytes;
    bytes.reserve(hex_text.size() / 2 + 1);
    for (std::size_t i = 0; i < hex_text.size(); i += 2)
        bytes.push_back(static_cast<char>(group_value(hex_text.substr(i, 2))));
    return shift_text(bytes, key, -1);
}

}  // namespace build
