#pragma once
// What an Apply tells the user of the problems it met.
#include <string>

#include "core/project/apply_changes.h"

namespace project {

// The problems as lines for the user, joined with CR; "" when there are none.
std::string problems_text(const apply_result& result);

}  // namespace project
