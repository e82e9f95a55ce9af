#pragma once
// The controls of the phone's progress dialog (the tests drive them by these ids): the same
// frame as the compile's progress dialog.
#include "vexlo/compile_progress_ids.h"

namespace vexlo {

enum device_progress_id : int {
    id_device_title = id_progress_title,
    id_device_step = id_progress_step,
    id_device_cancel = id_progress_cancel,
    id_device_animation = id_progress_animation,
    id_device_timer = id_progress_timer,  // the animation's timer
};

}  // namespace vexlo
