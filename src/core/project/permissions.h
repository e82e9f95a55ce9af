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
std::string uses_permission_line(int row);      // the manifest line, without line end
// Which table permissions a manifest grants; text inside XML comments does not count.
permission_flags granted_permissions(std::string_view manifest_text);
// The manifest text with every XML comment blanked out (same length, so positions stay).
std::string without_comments(std::string_view manifest_text);

}  // namespace project
