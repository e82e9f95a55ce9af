#pragma once
// The page the view shows in place of one it could not load.
#include <string>

namespace viewer {

// A small page saying "Can't locate file: " and the name, the name escaped as text.
std::string missing_page_html(const std::string& path);

}  // namespace viewer
