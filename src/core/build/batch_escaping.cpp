#include "core/build/batch_escaping.h"

#include "core/text/text_helpers.h"

namespace build {
namespace {

constexpr std::string_view kCommandCharacters = "&|<>^";
constexpr std::string_view kQuotingCharacters = " \t&|<>^,;=()";

std::string quoted(std::string_view body, bool program_rules) {
    std::string out = "\"";
    out.append(body);
    if (program_rules) {
        // A program's argument parser reads backslashes before a quote as escapes: double
        // the trailing ones so the closing quote stays a quote.
        std::size_t trailing = 0;
        while (trailing < body.size() && body[body.size() - 1 - trailing] == '\\') ++trailing;
        out.append(trailing, '\\');
    }
    out.push_back('"');
    return out;
}

std::string multiply_percent(std::string_view value, std::size_t times) {
    return text::replace_text(value, "%", std::string(times, '%'));
}

}  // namespace

bool has_command_characters(std::string_view value) {
    return value.find_first_of(kCommandCharacters) != std::string_view::npos;
}

bool needs_quoting(std::string_view value) {
    return value.find_first_of(kQuotingCharacters) != std::string_view::npos;
}

std::string double_percent(std::string_view value) {
    return multiply_percent(value, 2);
}

std::string batch_path(std::string_view value) {
    const std::string body = double_percent(value);
    return needs_quoting(value) ? quoted(body, false) : body;
}

std::string program_argument(std::string_view value) {
    const std::string body = double_percent(value);
    return needs_quoting(value) ? quoted(body, true) : body;
}

std::string call_argument(std::string_view value) {
    const std::string body = multiply_percent(value, 4);
    return needs_quoting(value) ? quoted(body, true) : body;
}

std::string set_line(std::string_view name, std::string_view value) {
    const std::string assignment = std::string(name) + "=" + double_percent(value);
    if (has_command_characters(value)) return "set \"" + assignment + "\"";
    return "set " + assignment;
}

std::string unsafe_value_reason(std::string_view value) {
    for (char c : value) {
        const unsigned char b = static_cast<unsigned char>(c);
        if (c == '"') return "a double quote (\")";
        if (b == '\r' || b == '\n') return "a line break";
        if (b < 0x20 || b == 0x7F) return "a control character";
    }
    return "";
}

}  // namespace build
