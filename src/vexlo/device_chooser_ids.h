#pragma once

namespace vexlo {
// The controls of the phone chooser (the tests drive them by these ids); Install is IDOK.
enum device_chooser_id : int {
    id_chooser_text = 1001,
    id_chooser_list = 1002,
};

}  // namespace vexlo
