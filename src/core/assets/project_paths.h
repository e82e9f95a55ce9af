#pragma once
// Keeping file work inside a project: paths read from project files, and links on the way.
#include <string>
#include <string_view>

namespace assets {

// Whether a relative path read from a project file names something inside the project: not
// empty, no ".." part, no root, drive letter, UNC or device prefix, no ":" (alternate streams).
bool is_inside_relative_path(std::string_view relative);

// The first part of the path below the folder that is a link (a symbolic link or junction),
// as a full path; "" when every existing part on the way is a plain folder or file. The last
// part counts too when last_too is true.
std::string link_on_the_way(const std::string& folder, const std::string& path, bool last_too);

}  // namespace assets
