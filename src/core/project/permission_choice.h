#pragma once
#include "core/project/project_state.h"

namespace project {

// "Select all / none": with ten boxes or fewer checked every box gets checked, else cleared.
bool select_all_checks(int checked_count);

}  // namespace project
