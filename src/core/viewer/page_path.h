#pragma once
// Paths of pages as the viewer handles them: Windows paths with backslashes.
#include <string>
#include <string_view>

namespace viewer {

// The folder part of a path, with its trailing backslash; "" when the path has none.
std::string folder_of(std::string_view path);
// "C:\...", "\\server\..." or "\...": not relative to any folder.
bool is_absolute(std::string_view path);
// The target resolved against a folder (which ends with a backslash or is empty), with
// forward slashes turned into backslashes and "." and ".." segments worked out.
std::string resolve(std::string_view folder, std::string_view target);

struct page_target {
    std::string path;
    std::string anchor;  // after the "#", without it
};
page_target split_anchor(std::string_view target);

// Equal as Windows compares file names (ASCII letters in any case).
bool same_path(std::string_view a, std::string_view b);

}  // namespace viewer
