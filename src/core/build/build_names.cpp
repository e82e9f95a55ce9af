#include "core/build/build_names.h"

#include "core/text/text_helpers.h"

namespace build {
namespace {

// A file-name part: the general cleaning, then whatever Windows still refuses in a file name
// ("<", ">" and control characters), which would also act as redirections in a batch line.
std::string file_name_part(std::string_view value) {
    std::string out;
    for (char c : text::clean_file_name(text::trim_spaces(value))) {
        const unsigned char b = static_cast<unsigned char>(c);
        if (c == '<' || c == '>' || b < 0x20 || b == 0x7F) continue;
        out.push_back(c);
    }
    return out;
}

}  // namespace

std::string ant_project_name(std::string_view package_name) {
    const std::size_t dot = package_name.rfind('.');
    return std::string(dot == std::string_view::npos ? package_name : package_name.substr(dot + 1));
}

std::string apk_file_name(std::string_view app_name, std::string_view version) {
    return file_name_part(app_name) + file_name_part(version) + ".apk";
}

}  // namespace build
