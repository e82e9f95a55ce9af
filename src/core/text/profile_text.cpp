#include "core/text/profile_text.h"

#include <vector>

#include "core/text/text_helpers.h"

namespace profile_text {
namespace {

std::string trim_blanks(std::string_view s) {
    const std::size_t a = s.find_first_not_of(" \t");
    if (a == std::string_view::npos) return "";
    const std::size_t b = s.find_last_not_of(" \t");
    return std::string(s.substr(a, b - a + 1));
}

bool is_section_line(std::string_view line, std::string& name) {
    const std::string t = trim_blanks(line);
    if (t.size() < 2 || t.front() != '[') return false;
    const std::size_t close = t.find(']');
    if (close == std::string::npos) return false;
    name = trim_blanks(std::string_view(t).substr(1, close - 1));
    return true;
}

bool key_of(std::string_view line, std::string& key, std::string& value) {
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return false;
    key = trim_blanks(line.substr(0, eq));
    value = trim_blanks(line.substr(eq + 1));
    return true;
}

}  // namespace

std::string read_value(std::string_view file_text, std::string_view section,
                       std::string_view key) {
    bool inside = false;
    for (const std::string& raw : text::split_lines(file_text)) {
        std::string name;
        if (is_section_line(raw, name)) {
            inside = text::iequals_ascii(name, section);
            continue;
        }
        std::string k, v;
        if (inside && key_of(raw, k, v) && text::iequals_ascii(k, key)) {
            if (v.size() >= 2 && ((v.front() == '"' && v.back() == '"') ||
                                  (v.front() == '\'' && v.back() == '\'')))
                v = v.substr(1, v.size() - 2);
            return v;
        }
    }
    return "";
}

std::string write_value(std::string_view file_text, std::string_view section, std::string_view key,
                        std::string_view value) {
    std::vector<std::string> lines = text::split_lines(file_text);
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    const std::string entry = std::string(key) + "=" + std::string(value);
    int section_at = -1;
    int last_in_section = -1;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        std::string name;
        if (is_section_line(lines[i], name)) {
            if (section_at >= 0) break;
            if (text::iequals_ascii(name, section)) section_at = last_in_section = i;
            continue;
        }
        if (section_at < 0) continue;
        std::string k, v;
        if (key_of(lines[i], k, v) && text::iequals_ascii(k, key)) {
            lines[i] = entry;
            section_at = -2;  // replaced
            break;
        }
        if (!trim_blanks(lines[i]).empty()) last_in_section = i;
    }
    if (section_at == -1) {
        lines.push_back("[" + std::string(section) + "]");
        lines.push_back(entry);
    } else if (section_at >= 0) {
        lines.insert(lines.begin() + last_in_section + 1, entry);
    }
    std::string out;
    for (const std::string& line : lines) out += line + "\r\n";
    return out;
}

}  // namespace profile_text
