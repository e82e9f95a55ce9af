#pragma once
// Merging a BASIC! program with the files it includes, as one text for the project.
#include <cstddef>
#include <string>
#include <vector>

namespace assets {

// Bounds no real program comes near. They stop what the cycle check cannot see: a loop through
// a linked folder (every turn spells the path anew) and includes that multiply at each level.
inline constexpr std::size_t kMaxIncludeDepth = 64;
inline constexpr std::size_t kMaxIncludedFiles = 4096;     // include lines followed in all
inline constexpr std::size_t kMaxMergedBytes = 16u << 20;  // the merged program's size

// Included files that gave an empty block instead of their text.
struct include_problems {
    std::vector<std::string> missing;   // could not be read (the path as it was built)
    std::vector<std::string> cyclic;    // already on the chain of files being expanded
    std::vector<std::string> too_deep;  // nested past kMaxIncludeDepth
    // The file whose include or line would have passed kMaxIncludedFiles or kMaxMergedBytes:
    // the merged program ends there.
    std::string cut_at;
    bool empty() const {
        return missing.empty() && cyclic.empty() && too_deep.empty() && cut_at.empty();
    }
};

// The program at path with every include line replaced by the merged text of the file it names
// (relative to the folder of the file holding the line). Each line of the result ends with one
// LF; ordinary lines lose their leading and trailing spaces (tabs stay). An include line is
// "include" in any letter case, one space, then the file name (surrounding double quotes
// dropped). A file that cannot be read gives one empty line, and so does a name holding a NUL
// (it names no file); an include that would re-enter a file already being expanded, or go
// deeper than kMaxIncludeDepth, gives the same empty block. The other two bounds end the
// merged program where they are reached.
std::string expand_includes(const std::string& path, include_problems* problems = nullptr);

// The file name of an include line, or "" when the line is not one.
std::string include_target(const std::string& line);

// The message that ends a program update: "Done !" when every include was merged, otherwise
// a list of the included files that were left out (the program is written all the same).
std::string update_done_message(const include_problems& problems);

}  // namespace assets
