#pragma once
// The entries of the picture file dialog's type list.
#include <string>
#include <vector>

namespace assets {

struct filter_entry {
    std::string description;
    std::string pattern;
};
// "All Images" first, then one entry per picture format: 23 entries.
const std::vector<filter_entry>& picture_filter();
// The single entry of the BASIC! program dialog.
const std::vector<filter_entry>& program_filter();

}  // namespace assets
