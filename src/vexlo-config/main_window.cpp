#include "vexlo-config/main_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "core/configurator/configurator_config.h"
#include "core/configurator/configurator_texts.h"
#include "core/configurator/tool_versions.h"
#include "platform/win32/utf16.h"
#include "vexlo-config/api_check_dialog.h"
#include "vexlo-config/api_chooser_dialog.h"
#include "vexlo-config/configurator_app.h"
#include "vexlo-config/control_ids.h"
#include "vexlo-config/detection_commands.h"
#include "vexlo-config/keystore_commands.h"
#include "vexlo-config/main_window_layout.h"
#include "vexlo-config/section_painter.h"
#include "vexlo-config/section_pictures.h"
#include "vexlo-config/status_refresh.h"
#include "winui/background_job.h"
#include "winui/dialog_base.h"
#include "winui/message_box.h"
#include "winui/text_controls.h"
#include "winui/window_icon.h"
#include "winui/window_position.h"

namespace vexlo_config {

using configurator::tool_section;

namespace {

struct main_window {
    build::tool_config read;  // the configuration, read while the window is built
    main_window_resources resources;
    section_painter painter;
    status_refresh refresh;
    bool painted = false;
    bool saved = false;             // the configuration has been written on closing
    winui::background_job reading;  // last: it ends before what it fills goes
};

main_window* g_window = nullptr;  // the window's thread only

void initialise(HWND window) {
    winui::place_main_window(window, kClientWidth, kClientHeight);
    create_main_window_controls(window, g_window->resources);
    place_section_pictures(window);
    winui::set_program_icons(window);

    build::tool_config& config = app().config;
    g_window->reading.join();
    config = g_window->read;
    const std::pair<const std::string*, int> detect_buttons[] = {
        {&config.jdk_path, id_jdk_detect},
        {&config.android_sdk_path, id_sdk_detect},
        {&config.ant_path, id_ant_detect},
    };
    for (const auto& [path, button] : detect_buttons)
        if (!path->empty()) winui::enable_item(window, button, false);

    SetTimer(window, kMainTimer, kMainTimerPeriod, nullptr);
    // The first tick follows as soon as the window has painted itself (see WM_PAINT).
    g_window->refresh.apply_now(window, g_window->painter, g_window->resources);
}

// The tool-tips wait for the first tick: nobody points at a control before the window shows.
void attach_tooltips(HWND window) {
    attach_button_tooltips(window);
    g_window->painter.enable_path_tooltips(window);
}

void set_face(HWND window, int id, const char* face) {
    const main_window_resources& r = g_window->resources;
    HBITMAP bitmap = std::string(face) == "BTNSET" ? r.set_face.get() : r.null_face.get();
    HWND button = GetDlgItem(window, id);
    SendMessageW(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    InvalidateRect(button, nullptr, FALSE);
}

void show_chooser(HWND window) {
    const int before = app().config.api_target_id;
    vexlo_config::show_api_chooser(window);
    request_status_refresh(window);
    // A new target brings its own build-tools: say what the build would miss among them.
    if (app().config.api_target_id == before) return;
    const std::string problem = configurator::chosen_build_tools_problem(
        app().config.android_sdk_path, app().targets, app().config.api_target_id);
    if (!problem.empty()) tell(window, problem, MB_OK | MB_ICONEXCLAMATION);
}

void on_tick(HWND window) {
    configurator_app& a = app();
    if (!a.api_check_done) {
        a.api_check_done = true;
        UpdateWindow(window);  // the window shows itself complete before the check starts
        attach_tooltips(window);
        vexlo_config::run_api_check_dialog(window);
        request_status_refresh(window);
    }
    g_window->refresh.on_tick();
    a.blink_phase ^= 1;
    if (a.config.sdk_state == 0) {
        set_face(window, id_configure_sdk, configurator::blink_face(0, a.blink_phase));
        // Not over another dialog, a message box or a command that waits for a tool.
        if (a.open_chooser_pending && IsWindowEnabled(window) && a.busy == 0) {
            a.open_chooser_pending = false;
            show_chooser(window);
        }
    }
    if (a.config.keystore_state == 0)
        set_face(window, id_configure_keystore, configurator::blink_face(0, a.blink_phase));
}

void open_link(int id) {
    const std::string_view url = id == id_jdk_link   ? configurator::kJdkDownload
                                 : id == id_sdk_link ? configurator::kSdkDownload
                                                     : configurator::kAntDownload;
    ShellExecuteW(nullptr, L"open", platform::widen(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// Closing: the configuration is written with what has been collected, and a failure is told
// while the window still stands.
void save_and_close(HWND window) {
    g_window->saved = true;
    const std::string file = config_file_path();
    if (!configurator::write_configurator_config(file, app().config, app().targets))
        tell(window, configurator::config_not_saved_text(file), MB_OK | MB_ICONERROR);
    EndDialog(window, 0);
}

void handle_command(HWND window, int id, int code) {
    if (is_link(id)) {
        if (code == STN_CLICKED) open_link(id);
        return;
    }
    if (code != BN_CLICKED && code != 1) return;  // a click or an accelerator
    if (app().busy > 0) return;                   // a tool still runs for the last command
    switch (id) {
        case id_jdk_detect: start_autodetect(window, tool_section::jdk); break;
        case id_sdk_detect: start_autodetect(window, tool_section::sdk); break;
        case id_ant_detect: start_autodetect(window, tool_section::ant); break;
        case id_jdk_browse: browse_for_tool(window, tool_section::jdk); break;
        case id_sdk_browse: browse_for_tool(window, tool_section::sdk); break;
        case id_ant_browse: browse_for_tool(window, tool_section::ant); break;
        case id_configure_sdk: show_chooser(window); break;
        case id_keystore_browse: select_keystore(window); break;
        case id_configure_keystore: confirm_keystore(window); break;
        case id_create_keystore: create_keystore(window); break;
        case id_ready: save_and_close(window); break;
        default: break;
    }
}

INT_PTR colour_static(HWND window, HWND control, HDC dc) {
    if (HBRUSH b = g_window->painter.colour(control, dc)) return reinterpret_cast<INT_PTR>(b);
    const int id = GetDlgCtrlID(control);
    if (id == id_welcome || is_link(id)) {
        SetTextColor(dc, id == id_welcome ? RGB(0, 0, 139) : RGB(0, 0, 255));
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    }
    (void)window;
    return FALSE;
}

void on_destroy(HWND window) {
    KillTimer(window, kMainTimer);
    KillTimer(window, kFirstTickTimer);
    for (UINT_PTR t = kDetectTimerBase; t < kDetectTimerBase + 3; ++t) KillTimer(window, t);
    g_window->refresh.stop();
    // Closed some other way: the configuration is still written.
    if (!g_window->saved)
        configurator::write_configurator_config(config_file_path(), app().config, app().targets);
}

bool set_link_cursor(HWND window, HWND control) {
    if (!is_link(GetDlgCtrlID(control))) return false;
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    SetWindowLongPtrW(window, DWLP_MSGRESULT, TRUE);
    return true;
}

class main_window_handler : public winui::dialog_handler {
public:
    void on_init(HWND window) override { initialise(window); }
    // Not the first path box: focus there would show its text selected.
    int initial_focus() const override { return id_jdk_browse; }
    bool centred() const override { return false; }  // placed where it was
    bool on_command(HWND window, int id, int code) override {
        handle_command(window, id, code);
        return true;
    }
    bool on_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                    INT_PTR& result) override;
};

bool main_window_handler::on_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                     INT_PTR& result) {
    result = TRUE;
    switch (message) {
        case WM_TIMER:
            if (wparam == kFirstTickTimer) KillTimer(window, kFirstTickTimer);
            if (wparam == kMainTimer || wparam == kFirstTickTimer)
                on_tick(window);
            else
                finish_autodetect(window, wparam);
            return true;
        case WM_PAINT:
            if (!g_window->painted) {
                g_window->painted = true;
                SetTimer(window, kFirstTickTimer, USER_TIMER_MINIMUM, nullptr);
            }
            return false;  // the dialog paints itself
        case winui::msg_request_refresh: request_status_refresh(window); return true;
        case winui::msg_refresh_done:
            g_window->refresh.on_done(window, g_window->painter, g_window->resources);
            return true;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
            result = colour_static(window, reinterpret_cast<HWND>(lparam),
                                   reinterpret_cast<HDC>(wparam));
            return true;
        case WM_SETCURSOR: return set_link_cursor(window, reinterpret_cast<HWND>(wparam));
        case WM_SYSCOMMAND: winui::save_window_position(window); return false;
        case WM_CLOSE:
            // Gone from the screen at once: a check copying a keystore from a slow network
            // folder can only stop once the copy returns.
            ShowWindow(window, SW_HIDE);
            vexlo_config::close_api_check_dialog();  // its check stops with the window
            save_and_close(window);
            return true;
        case WM_DESTROY: on_destroy(window); return false;
        default: return false;
    }
}

}  // namespace

void request_status_refresh(HWND main_window) {
    if (g_window) g_window->refresh.request(main_window);
}

void run_main_window() {
    main_window window;
    // Files are read and pictures scaled while the window builds its controls.
    const auto read = [&window] {
        window.read = configurator::read_configurator_config(config_file_path(), this_machine());
    };
    if (!window.reading.start(read)) read();  // no thread: read in place
    prerender_section_pictures();
    g_window = &window;
    winui::dialog_outline outline;
    outline.caption = std::string(configurator::kWindowCaption);
    // Visible from its creation: the first timer tick opens a dialog over it at once.
    outline.style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    outline.width = 349;  // replaced by the exact client size at initialisation
    outline.height = 329;
    main_window_handler handler;
    winui::run_dialog(nullptr, outline, handler);
    g_window = nullptr;
}

}  // namespace vexlo_config
