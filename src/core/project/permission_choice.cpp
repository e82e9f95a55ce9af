#include "core/project/permission_choice.h"

namespace project {

bool select_all_checks(int checked_count) {
    return checked_count <= 10;
}

}  // namespace project
