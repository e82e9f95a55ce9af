#pragma once
// The controls of the phone's progress dialog (the tests drive them by these ids).
enum device_progress_id : int {
    id_device_title = 1001,
    id_device_step = 1002,
    id_device_cancel = 1018,
    id_device_animation = 1033,
    id_device_timer = 1424,  // the animation's timer
};
