#include "core/assets/project_paths.h"

#include "core/text/text_helpers.h"
#include "platform/platform.h"

namespace assets {

bool is_inside_relative_path(std::string_view relative) {
    if (relative.empty() || relative.find(':') != std::string_view::npos) return false;
    if (relative[0] == '\\' || relative[0] == '/') return false;
    std::size_t from = 0;
    for (;;) {
        const std::size_t sep = relative.find_first_of("\\/", from);
        const std::string_view part =
            relative.substr(from, sep == std::string_view::npos ? sep : sep - from);
        // Windows drops trailing dots and spaces: ". ." and "..." are ".." there too.
        if (!part.empty() && part.find_first_not_of(". ") == std::string_view::npos &&
            part.find("..") != std::string_view::npos)
            return false;
        if (sep == std::string_view::npos) return true;
        from = sep + 1;
    }
}

std::string link_on_the_way(const std::string& folder, const std::string& path, bool last_too) {
    const std::string base = text::with_one_trailing_backslash(folder);
    if (path.size() <= base.size() || !text::iequals_ascii(path.substr(0, base.size()), base))
        return path;  // not below the folder at all
    std::size_t from = base.size();
    for (;;) {
        const std::size_t sep = path.find('\\', from);
        if (sep == std::string::npos && !last_too) return "";
        const std::string part = path.substr(0, sep);
        if (!platform::file_exists(part)) return "";  // nothing further exists yet
        if (platform::is_link(part)) return part;
        if (sep == std::string::npos) return "";
        from = sep + 1;
    }
}

std::string rejoined_path(std::string_view path, const path_part_rule& add_part) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (c == '\\' || c == '/') {
            add_part(part, parts);
            part.clear();
        } else {
            part.push_back(c);
        }
    }
    add_part(part, parts);
    std::string joined;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i) joined.push_back('\\');
        joined += parts[i];
    }
    return joined;
}

}  // namespace assets
