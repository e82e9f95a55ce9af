#pragma once
// The fixed table of the 21 permissions the program offers, and how each one is written.
#include <string>
#include <string_view>
#include <vector>

#include "core/project/project_state.h"

namespace project {

// The table rows as "NN.NAME"; the index prefix fixes the row's position.
const std::vector<std::string>& permission_table();
// The names that follow "android.permission." (the table text from its fourth character on).
const std::vector<std::string>& permission_names();
std::string permission_display_name(int row);  // "Access wifi state"
std::string uses_permission_line(int row);     // the manifest line, without line end

// A <uses-permission> element of the manifest that names a table permission (in any letter
// case) in its android:name. Only such elements grant: a permission named in a comment or in
// another attribute (an activity's android:permission) does not.
struct permission_element {
    int row = 0;
    std::size_t begin = 0;  // its start tag, or the whole element when only blanks stand inside
    std::size_t end = 0;
    // A separate end tag, when comments or text stand between the two tags (they stay).
    bool separate_end_tag = false;
    std::size_t end_tag_begin = 0;
    std::size_t end_tag_end = 0;
};
std::vector<permission_element> permission_elements(std::string_view manifest_text);

// Which table permissions a manifest grants.
permission_flags granted_permissions(std::string_view manifest_text);

}  // namespace project
