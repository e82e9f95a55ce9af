#pragma once
// The viewer as a program: GDI+ and COM around one viewer window for the command line, and its
// message loop. A first-page callback, when given, runs once the start page is shown.
#include <windows.h>

namespace lumo {

class viewer_window;

int run_viewer(HINSTANCE instance, int show_command, void (*on_first_page)(viewer_window&));

}  // namespace lumo
