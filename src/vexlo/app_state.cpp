#include "vexlo/app_state.h"

namespace vexlo {

vexlo_state& app() {
    static vexlo_state state;
    return state;
}

}  // namespace vexlo
