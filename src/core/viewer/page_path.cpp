#include "core/viewer/page_path.h"

#include <vector>

#include "core/text/text_helpers.h"

namespace viewer {

std::string folder_of(std::string_view path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

namespace {

// "C:" and the like: a letter, then a colon.
bool has_drive(std::string_view path) {
    return path.size() >= 2 && path[1] == ':' &&
           ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

}  // namespace

bool is_absolute(std::string_view path) {
    if (has_drive(path)) return true;
    return !path.empty() && (path[0] == '\\' || path[0] == '/');
}

std::string resolve(std::string_view folder, std::string_view target) {
    std::string joined =
        is_absolute(target) ? std::string(target) : std::string(folder) + std::string(target);
    for (char& c : joined)
        if (c == '/') c = '\\';
    // Keep the root ("C:\", "\\server\share\" or "\") and work out the segments after it;
    // ".." never climbs above it, so a page on a share cannot name another server.
    std::size_t root_end = 0;
    if (has_drive(joined)) {
        root_end = joined.size() >= 3 && joined[2] == '\\' ? 3 : 2;
    } else if (joined.rfind("\\\\", 0) == 0) {
        const std::size_t server_end = joined.find('\\', 2);
        const std::size_t share_end =
            server_end == std::string::npos ? server_end : joined.find('\\', server_end + 1);
        root_end = share_end == std::string::npos ? joined.size() : share_end + 1;
    } else if (!joined.empty() && joined[0] == '\\') {
        root_end = 1;
    }
    std::vector<std::string> segments;
    std::size_t start = root_end;
    while (start <= joined.size()) {
        std::size_t end = joined.find('\\', start);
        if (end == std::string::npos) end = joined.size();
        const std::string segment = joined.substr(start, end - start);
        if (segment == "..") {
            if (!segments.empty() && segments.back() != "..")
                segments.pop_back();
            else if (root_end == 0)
                segments.push_back(segment);  // a relative path may climb above its start
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
        start = end + 1;
    }
    std::string out = joined.substr(0, root_end);
    // A relative result must not start like a drive path ("c:..\x" from ".\c:..\x").
    if (root_end == 0 && !segments.empty() && segments[0].size() >= 2 && segments[0][1] == ':')
        out = ".\\";
    for (std::size_t i = 0; i < segments.size(); ++i) {
        if (i > 0) out += '\\';
        out += segments[i];
    }
    if (!joined.empty() && joined.back() == '\\' && !segments.empty()) out += '\\';
    return out;
}

page_target split_anchor(std::string_view target) {
    const std::size_t hash = target.find('#');
    if (hash == std::string_view::npos) return {std::string(target), {}};
    return {std::string(target.substr(0, hash)), std::string(target.substr(hash + 1))};
}

bool same_path(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = text::lower_ascii(a[i]), y = text::lower_ascii(b[i]);
        if (x == '/') x = '\\';
        if (y == '/') y = '\\';
        if (x != y) return false;
    }
    return true;
}

}  // namespace viewer
