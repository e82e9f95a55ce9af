#pragma once
// What the end-to-end run needs beyond the GUI driver: the places the installer writes to
// (install folder, Start menu, the per-user uninstall entry), the version block and icon of a
// program file, shortcuts, processes started the way a user starts them, windows of any
// process, the common file and folder dialogs, and numbered screenshots.
#include <windows.h>

#include <string>
#include <vector>

namespace acceptance {

// The installer to run, from the environment (VEXLO_SETUP); "" when it is not set.
std::string setup_file();
// Where the installer puts the programs for this user, with a trailing backslash.
std::string installed_folder();
// The Start-menu folder of the suite for this user, with a trailing backslash.
std::string start_menu_folder();
std::string documents_folder();  // the user's documents, with a trailing backslash

// The per-user uninstall entry of the suite.
bool uninstall_entry_exists();
std::string uninstall_value(const std::string& name);  // "" when absent
DWORD uninstall_number(const std::string& name);       // 0 when absent

// A string of the program file's version block ("CompanyName", "FileVersion", ...), in the
// block's own language; "" when absent. The fixed part's file version as "major.minor".
std::string version_string(const std::string& file, const std::string& name);
std::string fixed_file_version(const std::string& file);
int icon_count(const std::string& file);

std::string shortcut_target(const std::string& link);  // "" when unreadable

// Runs a command line and waits; the exit code, or -1 when it could not start or did not end
// within the time.
int run_and_wait(const std::string& command_line, int timeout_ms);
// Opens a file through the shell as a double click does (a shortcut starts its program).
bool shell_open(const std::string& file);

// A visible top-level window of any process with this exact caption (message boxes
// excepted); null after the time.
HWND wait_window_titled(const std::string& title, int timeout_ms = 20000);
// A visible top-level window of the process other than the one given (a dialog it opened).
HWND wait_other_window(DWORD pid, HWND besides, int timeout_ms = 10000);
DWORD process_of(HWND window);
// Whether a control anywhere inside the window shows exactly this text.
bool shows_text(HWND window, const std::string& text);
bool wait_gone(HWND window, int timeout_ms = 10000);

// Chooses a folder in the folder browser as a user clicks through its tree: from the desktop
// down through the folders of these display names. False when one is not there.
bool choose_in_folder_browser(HWND browser, const std::vector<std::string>& names);

// Saves a screenshot named "<NN>-<name>" (NN counts the run's screenshots) of the window.
void shot(HWND window, const std::string& name);

// Writes a square PNG picture: an opaque disc on a transparent ground.
bool write_disc_png(const std::string& path, int size);

}  // namespace acceptance
