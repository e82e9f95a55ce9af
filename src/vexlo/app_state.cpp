#include "vexlo/app_state.h"

vexlo_state& app() {
    static vexlo_state state;
    return state;
}
