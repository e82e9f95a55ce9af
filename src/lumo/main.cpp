// Lumo.exe: shows one local HTML page and hands the links it does not show to the shell.
#include <windows.h>

#include <cstdlib>

#include "lumo/viewer_program.h"

// The viewer is a window program: a failure that ends it has no console to describe itself on,
// so the standard library's describing handler (and the name demangler it brings along, a
// twelfth of the program) is replaced by a plain end.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
}  // namespace __gnu_cxx

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show_command) {
    return lumo::run_viewer(instance, show_command, nullptr);
}
