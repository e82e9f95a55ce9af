#pragma once
// "Android SDK": the API target chooser. Without targets it sends the user to the SDK
// manager; with targets it lets the user choose (or change) the one to compile with.
#include <windows.h>

enum api_chooser_id : int {
    id_chooser_text = 1001,
    id_chooser_second_text = 1002,
    id_chooser_list = 1011,
    id_chooser_ok = 1018,       // choose mode
    id_chooser_manager = 1018,  // the SDK manager picture (the other modes)
    id_chooser_change = 1019,
};

// Shows the chooser modally; may change the chosen target id. The caller then requests a
// status refresh.
void show_api_chooser(HWND owner);
