#pragma once
// Drives the real programs under Wine from another process: starts them, finds their windows,
// reads and sets control texts, clicks, answers message boxes and takes screenshots.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace gui {

std::string bin_folder();    // folder of the programs under test (beside this executable)
std::string scratch_root();  // a per-run folder below %TEMP% for test data

class running_program {
public:
    // Starts the program with a command line (arguments only) in a working folder.
    running_program(const std::string& exe, const std::string& arguments = "",
                    const std::string& folder = "");
    ~running_program();  // ends it if it still runs
    running_program(const running_program&) = delete;
    running_program& operator=(const running_program&) = delete;
    DWORD pid() const { return info_.dwProcessId; }
    bool started() const { return info_.hProcess != nullptr; }
    // Waits for the process to end; true when it ended within the time.
    bool wait_exit(int timeout_ms, DWORD* exit_code = nullptr);

private:
    PROCESS_INFORMATION info_{};
};

// A visible top-level window of the process whose caption equals title ("" = any).
HWND wait_window(DWORD pid, const std::string& title, int timeout_ms = 10000);
// A message box ("#32770" with the static 0xFFFF) of the process.
HWND wait_message_box(DWORD pid, int timeout_ms = 10000);
bool no_message_box(DWORD pid, int wait_ms = 300);

std::string window_text(HWND window);
std::string item_text(HWND dialog, int id);
std::string message_text(HWND box);
bool item_enabled(HWND dialog, int id);
bool item_visible(HWND dialog, int id);
void set_item_text(HWND dialog, int id, const std::string& text);  // as typing would
void click(HWND dialog, int id);                                   // posted, returns at once
void click_sync(HWND dialog, int id);                              // sent, returns when handled
void answer(HWND box, int button_id);                              // IDYES, IDNO, IDOK, ...
bool is_checked(HWND dialog, int id);
// Lets the program under test settle: waits until its GUI thread has handled what is queued.
void settle(HWND window);
void pause_ms(int ms);
// Polls the condition every 50 ms until it holds or the time is up; gives its last answer.
bool wait_until(const std::function<bool()>& condition, int timeout_ms = 10000);
// Waits until the window's thread has taken the activation (its active window is this one)
// and has handled what is queued: what a window does on activation is done by then.
bool wait_active(HWND window, int timeout_ms = 3000);

// Combo box helpers.
std::vector<std::string> combo_items(HWND dialog, int id);
int combo_selection(HWND dialog, int id);
void combo_choose(HWND dialog, int id, int index);  // selects and notifies like a user

// Saves a PNG of the window as it is on screen into %VEXLO_SHOTS% (skipped when unset).
void screenshot(HWND window, const std::string& name);

// The open or save dialog of the process; null after the time.
HWND wait_file_dialog(DWORD pid, int timeout_ms = 10000);
// Types the path into the file dialog's name box and presses its OK button.
void type_into_file_dialog(HWND dialog, const std::string& path);

// GDI+ for the tests' own pictures, started once per process.
void start_gdiplus_once();
// The class id of GDI+'s PNG encoder; false when there is none.
bool png_encoder(CLSID& clsid);

}  // namespace gui
