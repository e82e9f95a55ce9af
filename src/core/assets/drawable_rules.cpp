#include "core/assets/drawable_rules.h"

#include "core/assets/project_layout.h"
#include "core/text/text_helpers.h"

namespace assets {
namespace {

// The characters that the file-name cleaning drops, as ASCII and as the UTF-8 forms of the
// Windows-1252 signs degree, pound, currency and micro.
constexpr std::string_view kForbiddenAscii = " :!?./\\-'&~\"#{([|`^@)]=+}$%*";
constexpr std::string_view kForbiddenSigns[] = {"\xC2\xB0", "\xC2\xA3", "\xC2\xA4", "\xC2\xB5"};

// Besides, nothing that Windows refuses in a file name may pass: the angle brackets and the
// control characters would only make the save fail after a "correctly added" message.
bool refused_by_windows(char c) {
    return c == '<' || c == '>' || static_cast<unsigned char>(c) < 0x20;
}

}  // namespace

const std::array<drawable_density, 4>& drawable_densities() {
    static const std::array<drawable_density, 4> densities{{
        {"drawable-xhdpi", "96", "Extra high definition drawable"},
        {"drawable-hdpi", "72", "High definition drawable"},
        {"drawable-mdpi", "48", "Medium definition drawable"},
        {"drawable-ldpi", "36", "Low definition drawable"},
    }};
    return densities;
}

std::string default_drawable_name(std::string_view picture_path) {
    const std::size_t slash = picture_path.find_last_of('\\');
    std::string_view name =
        slash == std::string_view::npos ? picture_path : picture_path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string_view::npos) name = name.substr(0, dot);
    return text::clean_file_name(name);
}

name_problem check_drawable_name(std::string_view name) {
    if (text::trim_spaces(name).empty()) return name_problem::empty;
    for (char c : name)
        if (kForbiddenAscii.find(c) != std::string_view::npos || refused_by_windows(c))
            return name_problem::forbidden;
    for (std::string_view sign : kForbiddenSigns)
        if (name.find(sign) != std::string_view::npos) return name_problem::forbidden;
    return name_problem::none;
}

std::string name_problem_message(name_problem problem) {
    switch (problem) {
        case name_problem::empty: return "Please type a drawable name";
        case name_problem::forbidden:
            return "The drawable name must only contain characters among [A-Z] [a-z] and/or "
                   "[0-9]\r\rSpaces and other non-alphanumeric characters are not allowed";
        case name_problem::none: break;
    }
    return "";
}

std::string limited_size_text(std::string_view text) {
    // Two characters, never half of a UTF-8 sequence.
    std::size_t end = 0;
    for (int kept = 0; kept < 2 && end < text.size(); ++kept) {
        ++end;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
    }
    return std::string(text.substr(0, end));
}

std::string size_label(std::string_view size_text) {
    return "x " + std::string(size_text) + " pixels";
}

int drawable_size(std::string_view size_text) {
    if (size_text.empty()) return 0;
    const long long value = text::leading_number(size_text);
    return value > 0 && value < 100 ? static_cast<int>(value) : 0;
}

std::string size_problem_message(std::string_view density_folder) {
    return "[" + std::string(density_folder) +
           "]\r\rPlease type a value greater than zero, or uncheck the field";
}

std::string drawable_file(const std::string& project_folder, std::string_view density_folder,
                          std::string_view name) {
    return project_folder + kResFolder + std::string(density_folder) + "\\" + std::string(name) +
           ".png";
}

std::string drawable_added_message() {
    return "New drawable correctly added to the project";
}

std::string drawable_problem_message(const write_outcome& outcome) {
    return "The drawable could not be added:\r" + write_problem_text(outcome);
}

}  // namespace assets
