#include "platform/posix/profile_text.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace profile_text {
namespace {

constexpr std::string_view kUtf16Bom = "\xFF\xFE";

// The conversions below are what Windows does inside the profile calls; this layer stands in
// for the system, so it carries them itself rather than reaching up into the programs' code.
// They read malformed text as the programs' own UTF-8 decoder does.

// Windows-1252 bytes 0x80..0x9F; 0 marks the five unassigned ones, kept as their C1 code.
constexpr std::uint16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void append_utf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
        return;
    }
    const int extra = cp < 0x800 ? 1 : cp < 0x10000 ? 2 : 3;
    out += static_cast<char>((0xFF00 >> (extra + 1)) | (cp >> (6 * extra)));  // C0, E0 or F0
    for (int k = extra - 1; k >= 0; --k) out += static_cast<char>(0x80 | ((cp >> (6 * k)) & 0x3F));
}

// The code point at text[pos], advancing pos past it. A byte that does not start a whole,
// shortest, non-surrogate sequence is U+FFFD, one byte long.
std::uint32_t take_code_point(std::string_view text, std::size_t& pos) {
    static constexpr std::uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    const auto lead = static_cast<std::uint8_t>(text[pos]);
    const std::size_t length = lead < 0x80           ? 1
                               : (lead >> 5) == 0x6  ? 2
                               : (lead >> 4) == 0xE  ? 3
                               : (lead >> 3) == 0x1E ? 4
                                                     : 0;
    std::uint32_t cp = length == 1 ? lead : lead & (0x7F >> length);
    bool whole = length > 0 && pos + length <= text.size();
    for (std::size_t k = 1; whole && k < length; ++k) {
        const auto next = static_cast<std::uint8_t>(text[pos + k]);
        whole = (next & 0xC0) == 0x80;
        cp = (cp << 6) | (next & 0x3F);
    }
    whole = whole && cp >= kSmallest[length] && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
    pos += whole ? length : 1;
    return whole ? cp : 0xFFFD;
}

std::string cp1252_to_utf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char ch : bytes) {
        const auto c = static_cast<std::uint8_t>(ch);
        const bool mapped = c >= 0x80 && c <= 0x9F && kCp1252High[c - 0x80] != 0;
        append_utf8(out, mapped ? kCp1252High[c - 0x80] : c);
    }
    return out;
}

// What the profile calls count as blank around lines, names and values.
bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == '\x1A';
}

std::string_view trim_blanks(std::string_view s) {
    while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
    return s;
}

std::vector<std::string_view> lines_of(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t lf = text.find('\n', from);
        const std::size_t end = lf == std::string_view::npos ? text.size() : lf;
        lines.push_back(text.substr(from, end - from));
        from = end + 1;
    }
    return lines;
}

// A section header is "[" up to the last "]" of the trimmed line; the name between is kept as
// written (not trimmed).
bool section_name(std::string_view line, std::string_view& name) {
    const std::string_view t = trim_blanks(line);
    if (t.empty() || t.front() != '[') return false;
    const std::size_t close = t.rfind(']');
    if (close == std::string_view::npos || close == 0) return false;
    name = t.substr(1, close - 1);
    return true;
}

// A key line is a non-blank line that is not a header: the key up to the first "=" (the whole
// line when there is none), the value after it.
bool key_line(std::string_view line, std::string_view& key, std::string_view& value) {
    const std::string_view t = trim_blanks(line);
    if (t.empty()) return false;
    const std::size_t eq = t.find('=');
    key = trim_blanks(t.substr(0, eq));
    value = eq == std::string_view::npos ? std::string_view() : trim_blanks(t.substr(eq + 1));
    return true;
}

bool same_name(std::string_view stored, std::string_view wanted) {
    wanted = trim_blanks(wanted);
    const auto lower = [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
    };
    return stored.size() == wanted.size() &&
           std::equal(stored.begin(), stored.end(), wanted.begin(),
                      [&](char a, char b) { return lower(a) == lower(b); });
}

std::string strip_quotes(std::string_view v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return std::string(v);
}

std::string utf16le_to_utf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        std::uint32_t unit =
            static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < bytes.size()) {
            const std::uint32_t low = static_cast<unsigned char>(bytes[i + 2]) |
                                      (static_cast<unsigned char>(bytes[i + 3]) << 8);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        if (unit >= 0xD800 && unit <= 0xDFFF) unit = 0xFFFD;  // a lone surrogate
        append_utf8(out, unit);
    }
    return out;
}

void append_unit(std::string& out, std::uint32_t unit) {
    out.push_back(static_cast<char>(unit & 0xFF));
    out.push_back(static_cast<char>(unit >> 8));
}

std::string utf8_to_utf16le(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    std::size_t i = 0;
    while (i < text.size()) {
        const std::uint32_t cp = take_code_point(text, i);
        if (cp >= 0x10000) {
            append_unit(out, 0xD800 + ((cp - 0x10000) >> 10));
            append_unit(out, 0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            append_unit(out, cp);
        }
    }
    return out;
}

}  // namespace

std::string decode_file(std::string_view file_bytes) {
    if (file_bytes.substr(0, kUtf16Bom.size()) == kUtf16Bom)
        return utf16le_to_utf8(file_bytes.substr(2));
    return cp1252_to_utf8(file_bytes);
}

std::string encode_unicode_file(std::string_view text) {
    return std::string(kUtf16Bom) + utf8_to_utf16le(text);
}

std::string read_value(std::string_view file_bytes, std::string_view section,
                       std::string_view key) {
    const std::string text = decode_file(file_bytes);
    bool inside = false;
    bool seen = false;
    for (std::string_view line : lines_of(text)) {
        std::string_view name;
        if (section_name(line, name)) {
            // Only the first section of a name is searched, as the profile calls do.
            if (inside) return "";
            inside = !seen && same_name(name, section);
            seen = seen || inside;
            continue;
        }
        std::string_view k, v;
        if (inside && key_line(line, k, v) && same_name(k, key)) return strip_quotes(v);
    }
    return "";
}

std::string write_value(std::string_view file_bytes, std::string_view section, std::string_view key,
                        std::string_view value) {
    const std::string text = decode_file(file_bytes);
    std::vector<std::string> lines;
    for (std::string_view line : lines_of(text)) {
        while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
    }
    const std::string entry = std::string(trim_blanks(key)) + "=" + std::string(value);
    int section_at = -1;
    int last_in_section = -1;
    bool replaced = false;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        std::string_view name;
        if (section_name(lines[i], name)) {
            if (section_at >= 0) break;
            if (same_name(name, section)) section_at = last_in_section = i;
            continue;
        }
        if (section_at < 0) continue;
        std::string_view k, v;
        if (key_line(lines[i], k, v)) {
            if (same_name(k, key)) {
                lines[i] = entry;
                replaced = true;
                break;
            }
            last_in_section = i;
        }
    }
    if (!replaced) {
        if (section_at < 0) {
            std::string header = "[";
            header += trim_blanks(section);
            header += ']';
            lines.push_back(std::move(header));
            lines.push_back(entry);
        } else {
            lines.insert(lines.begin() + last_in_section + 1, entry);
        }
    }
    std::string out;
    for (const std::string& line : lines) out += line + "\r\n";
    return encode_unicode_file(out);
}

}  // namespace profile_text
