#pragma once
// Keeping file work inside a project: paths read from project files, and links on the way.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace assets {

// Whether a relative path read from a project file names something inside the project: not
// empty, no ".." part, no root, drive letter, UNC or device prefix, no ":" (alternate streams).
bool is_inside_relative_path(std::string_view relative);

// The first part of the path below the folder that is a link (a symbolic link or junction),
// as a full path; "" when every existing part on the way is a plain folder or file. The last
// part counts too when last_too is true.
std::string link_on_the_way(const std::string& folder, const std::string& path, bool last_too);

// A path split at "\" and "/" and joined again with "\": each part, as it ends, is handed to
// add_part with the parts so far, which decides how ".", ".." and empty parts count.
using path_part_rule = std::function<void(std::string& part, std::vector<std::string>& parts)>;
std::string rejoined_path(std::string_view path, const path_part_rule& add_part);

}  // namespace assets
