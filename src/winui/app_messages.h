#pragma once
// Every private window message of the programs, in one place and above WM_APP, so that none
// can meet a system or control message and no two of one window share a number.
#include <windows.h>

namespace winui {

enum app_message : UINT {
    // The configurator's windows. Other programs (the refresh benchmark) post the first one
    // by its number: it stays WM_APP + 1.
    msg_request_refresh = WM_APP + 1,  // anyone may post it to the main window
    msg_refresh_done,
    msg_api_check_done,

    // A build's worker to the progress dialog (wParam of build_finished: the result).
    msg_compile_started = WM_APP + 20,
    msg_updating,
    msg_cleaning,
    msg_compiling,
    msg_signing,
    msg_clean_started,
    msg_build_finished,

    // The duplicate's worker to its dialog (lParam of duplicate_range: the number of steps).
    msg_duplicate_listing = WM_APP + 40,
    msg_duplicate_range,
    msg_duplicate_step,
    msg_duplicate_copying,
    msg_duplicate_finished,

    // The viewer: its first page is laid out.
    msg_first_page_ready = WM_APP + 60,

    // The phone's progress dialog: adb's step has ended (its outcome waits in the dialog).
    msg_device_step_done = WM_APP + 80,
};

}  // namespace winui
