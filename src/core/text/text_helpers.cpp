#include "core/text/text_helpers.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace text {

std::vector<std::string> split_lines(std::string_view text) {
    std::vector<std::string> lines;
    std::string current;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            lines.push_back(std::move(current));
            current.clear();
            ++i;
        } else if (c == '\n') {
            lines.push_back(std::move(current));
            current.clear();
        } else if (c == '\r') {
            current.push_back('\n');  // a lone CR stays inside its line
        } else {
            current.push_back(c);
        }
    }
    lines.push_back(std::move(current));
    return lines;
}

std::vector<std::string_view> lf_line_views(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::size_t from = 0; from < text.size();) {
        const std::size_t lf = std::min(text.find('\n', from), text.size());
        lines.push_back(text.substr(from, lf - from));
        from = lf + 1;
    }
    return lines;
}

std::string to_crlf_text(std::string_view text) {
    if (text.find('\r') != std::string_view::npos) return std::string(text);
    return replace_text(text, "\n", "\r\n");
}

std::string to_lf_text(std::string_view text) {
    return replace_text(replace_text(text, "\r\n", "\n"), "\r", "\n");
}

std::string text_between(std::string_view text, std::string_view start, std::string_view end) {
    const std::size_t s = text.find(start);
    if (s == std::string_view::npos) return "";
    const std::size_t value = s + start.size();
    const std::size_t e = text.find(end, value);
    if (e == std::string_view::npos) return "";
    return std::string(text.substr(value, e - value));
}

std::string replace_text(std::string_view text, std::string_view find, std::string_view with) {
    if (find.empty()) return std::string(text);
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    for (;;) {
        const std::size_t hit = text.find(find, pos);
        if (hit == std::string_view::npos) break;
        out.append(text.substr(pos, hit - pos));
        out.append(with);
        pos = hit + find.size();
    }
    out.append(text.substr(pos));
    return out;
}

std::string left_pad_zeros(std::string_view text, std::size_t width) {
    std::string out(text);
    if (out.size() < width) out.insert(0, width - out.size(), '0');
    return out;
}

namespace {

// Characters dropped from file names: the ASCII punctuation plus the Latin-1 signs, which
// arrive here in their UTF-8 form (degree, pound, currency, micro).
constexpr std::string_view kDroppedAscii = " :!?./\\-'&~\"#{([|`^@)]=+}$%*";
constexpr std::string_view kDroppedLatin1[] = {"\xC2\xB0", "\xC2\xA3", "\xC2\xA4", "\xC2\xB5"};

struct accent_fold {
    std::string_view utf8;
    char ascii;
};
// Only the lower-case letters of French and Spanish that this fold has always covered.
constexpr accent_fold kFolds[] = {
    {"\xC3\xA0", 'a'}, {"\xC3\xA2", 'a'}, {"\xC3\xA4", 'a'}, {"\xC3\xA9", 'e'},
    {"\xC3\xA8", 'e'}, {"\xC3\xAA", 'e'}, {"\xC3\xAB", 'e'}, {"\xC3\xAE", 'i'},
    {"\xC3\xAF", 'i'}, {"\xC3\xB4", 'o'}, {"\xC3\xB6", 'o'}, {"\xC3\xB9", 'u'},
    {"\xC3\xBB", 'u'}, {"\xC3\xBC", 'u'}, {"\xC3\xBF", 'y'}, {"\xC3\xB1", 'n'},
};

}  // namespace

std::string clean_file_name(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    std::size_t i = 0;
    while (i < name.size()) {
        const char c = name[i];
        if (kDroppedAscii.find(c) != std::string_view::npos) {
            ++i;
            continue;
        }
        bool handled = false;
        for (std::string_view sign : kDroppedLatin1) {
            if (name.substr(i, sign.size()) == sign) {
                i += sign.size();
                handled = true;
                break;
            }
        }
        if (handled) continue;
        for (const accent_fold& fold : kFolds) {
            if (name.substr(i, fold.utf8.size()) == fold.utf8) {
                out.push_back(fold.ascii);
                i += fold.utf8.size();
                handled = true;
                break;
            }
        }
        if (handled) continue;
        out.push_back(c);
        ++i;
    }
    return out;
}

std::string elapsed_text(double seconds) {
    long long s = static_cast<long long>(std::floor(seconds));
    std::string out;
    if (s > 3600) {
        out += std::to_string(s / 3600) + " hr ";
        s %= 3600;
    }
    if (s > 60) {
        out += std::to_string(s / 60) + " mn ";
        s %= 60;
    }
    out += std::to_string(s) + " sec ";
    return out;
}

bool consists_of(std::string_view text, std::string_view set) {
    return text.find_first_not_of(set) == std::string_view::npos;
}

std::string_view trim_view(std::string_view text, std::string_view set) {
    const std::size_t first = text.find_first_not_of(set);
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(set);
    return text.substr(first, last - first + 1);
}

std::string trim_spaces(std::string_view text) {
    return std::string(trim_view(text, " "));
}

std::string trim_whitespace(std::string_view text) {
    return std::string(trim_view(text, " \t\r\n"));
}

std::string to_upper_ascii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::string to_lower_ascii(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = lower_ascii(c);
    return out;
}

namespace {

bool same_ignoring_case(std::string_view a, std::string_view b) {
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower_ascii(a[i]) != lower_ascii(b[i])) return false;
    return true;
}

}  // namespace

bool iequals_ascii(std::string_view a, std::string_view b) {
    return a.size() == b.size() && same_ignoring_case(a, b);
}

bool starts_with_ignoring_case(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           same_ignoring_case(text.substr(0, prefix.size()), prefix);
}

std::size_t ifind(std::string_view text, std::string_view find, std::size_t from) {
    if (find.empty()) return from <= text.size() ? from : std::string_view::npos;
    for (std::size_t i = from; i + find.size() <= text.size(); ++i) {
        std::size_t k = 0;
        while (k < find.size() && lower_ascii(text[i + k]) == lower_ascii(find[k])) ++k;
        if (k == find.size()) return i;
    }
    return std::string_view::npos;
}

bool starts_with(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

std::string without_trailing_backslashes(std::string_view folder) {
    std::size_t n = folder.size();
    while (n > 0 && folder[n - 1] == '\\') --n;
    return std::string(folder.substr(0, n));
}

std::string with_one_trailing_backslash(std::string_view folder) {
    return without_trailing_backslashes(folder) + "\\";
}

long long leading_number(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        if (value < 100000000000LL) value = value * 10 + (text[i] - '0');
        ++i;
    }
    return negative ? -value : value;
}

}  // namespace text
