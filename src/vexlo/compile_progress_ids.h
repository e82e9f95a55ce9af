#pragma once

namespace vexlo {
// The controls of the compile's progress dialog (the tests drive them by these ids).
enum progress_dialog_id : int {
    id_progress_title = 1001,
    id_progress_step = 1002,
    id_progress_cancel = 1018,
    id_progress_animation = 1033,
    id_progress_timer = 1424,  // the animation's timer
};

}  // namespace vexlo
