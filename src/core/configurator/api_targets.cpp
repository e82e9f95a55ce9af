#include "core/configurator/api_targets.h"

#include <climits>

#include "core/text/text_helpers.h"

namespace configurator {
namespace {

constexpr std::string_view kIdLine = "id: ";
constexpr std::string_view kOr = " or ";
constexpr std::string_view kName = "Name: Android ";
constexpr std::string_view kLevel = "API level:";
constexpr std::string_view kLevelMarker = "(API ";

// The lines of the output without their line ends: LF, CR LF, or the CR CR LF that a console
// program in text mode makes of a CR LF it prints.
std::vector<std::string_view> lines_of(std::string_view text) {
    std::vector<std::string_view> lines = text::lf_line_views(text);
    for (std::string_view& line : lines)
        while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return lines;
}

bool ends_with_dashes(std::string_view line) {
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
    return line.size() >= 2 && line.substr(line.size() - 2) == "--";
}

// An entry begins with an "id: " line right after a line of dashes.
bool starts_entry(const std::vector<std::string_view>& lines, std::size_t i) {
    return i > 0 && ends_with_dashes(lines[i - 1]) && lines[i].substr(0, kIdLine.size()) == kIdLine;
}

// Reads one entry (lines [first, end)); false when it is not a complete platform entry.
bool read_entry(const std::vector<std::string_view>& lines, std::size_t first, std::size_t end,
                api_target& target) {
    const std::string_view id_line = lines[first].substr(kIdLine.size());
    const std::size_t q = id_line.find(kOr);
    if (q == std::string_view::npos) return false;
    // The hash string after the opening quote: platforms are "android-NN".
    const std::string_view hash = id_line.substr(q + kOr.size());
    if (hash.size() < 8 || hash[0] != '"' || text::to_lower_ascii(hash.substr(1, 7)) != "android")
        return false;
    const long long id = rounded_number(id_line.substr(0, q));
    if (id <= 0 || id > INT_MAX) return false;

    std::size_t line = first + 1;
    std::string description;
    for (; line < end; ++line) {
        const std::size_t at = lines[line].find(kName);
        if (at == std::string_view::npos) continue;
        description = std::string(lines[line].substr(at + kName.size() - 8));  // from "Android"
        break;
    }
    if (line == end) return false;
    for (; line < end; ++line) {
        const std::size_t at = lines[line].find(kLevel);
        if (at == std::string_view::npos) continue;
        // The level text keeps the space after the colon.
        description += " (API " + std::string(lines[line].substr(at + kLevel.size())) + ")";
        target = {static_cast<int>(id), description};
        return true;
    }
    return false;
}

}  // namespace

long long rounded_number(std::string_view text) {
    const long long whole = text::leading_number(text);
    // A first decimal of 5 or more rounds away from zero, as the numbers are read.
    std::size_t i = text.find_first_not_of(' ');
    if (i == std::string_view::npos) return whole;
    const bool negative = text[i] == '-';
    if (text[i] == '-' || text[i] == '+') ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    if (i + 1 < text.size() && text[i] == '.' && text[i + 1] >= '5' && text[i + 1] <= '9')
        return negative ? whole - 1 : whole + 1;
    return whole;
}

std::vector<api_target> parse_api_targets(std::string_view output) {
    const std::vector<std::string_view> lines = lines_of(output);
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (starts_entry(lines, i)) starts.push_back(i);

    std::vector<api_target> targets;
    for (std::size_t k = 0; k < starts.size(); ++k) {
        const std::size_t end = k + 1 < starts.size() ? starts[k + 1] : lines.size();
        api_target target;
        if (read_entry(lines, starts[k], end, target)) targets.push_back(std::move(target));
    }
    return targets;
}

bool api_level_ok(std::string_view description, const std::vector<api_target>& targets) {
    std::string joined;
    if (description.empty()) {
        for (const api_target& t : targets) joined += t.description;
        description = joined;
    }
    std::size_t at = description.find(kLevelMarker);
    while (at != std::string_view::npos) {
        const std::size_t from = at + kLevelMarker.size();
        const std::size_t close = description.find(')', from);
        const std::string_view level = description.substr(
            from, close == std::string_view::npos ? std::string_view::npos : close - from);
        if (rounded_number(level) >= kMinimumApiLevel) return true;
        at = description.find(kLevelMarker, from);
    }
    return false;
}

const api_target* find_target(const std::vector<api_target>& targets, int id) {
    for (const api_target& t : targets)
        if (t.id == id) return &t;
    return nullptr;
}

}  // namespace configurator
