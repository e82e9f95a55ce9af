#include "vexlo/duplicate_dialog.h"

#include <commctrl.h>

#include <atomic>

#include "vexlo/loadbar_frames.h"
#include "winui/dialog_font.h"
#include "winui/app_messages.h"
#include "winui/background_job.h"
#include "winui/dialog_template.h"
#include "winui/dpi.h"
#include "winui/gdi_handles.h"
#include "winui/message_box.h"
#include "winui/text_controls.h"
#include "winui/window_icon.h"

namespace {

using namespace winui;

enum duplicate_control : int {
    id_animation = 1033,
    id_bar = 1037,
    id_title = 1001,
    id_status = 1002
};

constexpr UINT_PTR kTimer = 1424;
constexpr COLORREF kBackground = RGB(241, 245, 248);
constexpr COLORREF kText = RGB(0, 6, 54);

struct duplicate_state {
    std::string source;
    std::string target;
    HWND dialog = nullptr;
    std::atomic<bool> stop{false};
    assets::duplicate_result result;
    loadbar_frames frames;
    unique_brush background{CreateSolidBrush(kBackground)};
    unique_font bold;
    unique_font regular;
    winui::background_job worker;  // last: ends before anything it uses goes
};

// Null for the few messages that arrive before the dialog's initialisation.
duplicate_state* state_of(HWND dialog) {
    return reinterpret_cast<duplicate_state*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

// Runs on the worker thread: only posts, never touches a control.
class posting_observer : public assets::duplicate_observer {
public:
    explicit posting_observer(duplicate_state& state) : state_(state) {}
    void listing() override { post(msg_duplicate_listing, 0, 0); }
    void range(std::size_t steps) override {
        post(msg_duplicate_range, 0, static_cast<LPARAM>(std::min<std::size_t>(steps, 0x7FFFFFFF)));
    }
    void step() override { post(msg_duplicate_step, 0, 0); }
    void copying() override { post(msg_duplicate_copying, 0, 0); }
    bool stop_requested() override { return state_.stop.load(); }

private:
    void post(UINT message, WPARAM w, LPARAM l) { PostMessageW(state_.dialog, message, w, l); }
    duplicate_state& state_;
};

void copy_project(duplicate_state& state) {
    try {
        posting_observer observer(state);
        state.result = assets::duplicate_project(state.source, state.target, observer);
    } catch (...) {  // out of memory
        state.result.failed.push_back(state.target);
    }
    PostMessageW(state.dialog, msg_duplicate_finished, 0, 0);
}

unique_font make_font(HWND dialog, int weight) {
    return dialog_font(dialog, 8, weight, L"Tahoma");
}

void show_frame(HWND dialog, duplicate_state& state, int frame) {
    SendMessageW(GetDlgItem(dialog, id_animation), STM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(state.frames.frame(frame)));
}

bool initialise(HWND dialog, duplicate_state& state) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
    state.dialog = dialog;
    set_caption_icon(dialog);
    create_control_du(dialog, WC_STATICW, "", SS_BITMAP | SS_REALSIZECONTROL, 0, id_animation, 1, 4,
                      120, 10);
    HWND bar = create_control_du(dialog, PROGRESS_CLASSW, "", PBS_SMOOTH, 0, id_bar, 4, 4, 130, 8);
    ShowWindow(bar, SW_HIDE);
    HWND title = create_control_du(dialog, WC_STATICW, "Duplicating project...", SS_LEFT, 0,
                                   id_title, 6, 18, 160, 12);
    HWND status = create_control_du(dialog, WC_STATICW, "", SS_LEFT | SS_ENDELLIPSIS, 0, id_status,
                                    6, 28, 140, 12);
    state.bold = make_font(dialog, FW_BOLD);
    state.regular = make_font(dialog, FW_NORMAL);
    SendMessageW(title, WM_SETFONT, reinterpret_cast<WPARAM>(state.bold.get()), FALSE);
    SendMessageW(status, WM_SETFONT, reinterpret_cast<WPARAM>(state.regular.get()), FALSE);
    show_frame(dialog, state, 0);
    center_window(dialog, GetWindow(dialog, GW_OWNER));

    SetTimer(dialog, kTimer, 100, nullptr);
    PostMessageW(dialog, WM_TIMER, kTimer, 0);
    if (!state.worker.start([&state] { copy_project(state); }, [&state] { state.stop = true; })) {
        state.result.failed.push_back(state.target);
        EndDialog(dialog, 0);
        return false;
    }
    return true;
}

void on_range(HWND dialog, LPARAM steps) {
    HWND bar = GetDlgItem(dialog, id_bar);
    ShowWindow(GetDlgItem(dialog, id_animation), SW_HIDE);
    SendMessageW(bar, PBM_SETRANGE32, 0, 100);
    SendMessageW(bar, PBM_SETPOS, 0, 0);
    ShowWindow(bar, SW_SHOW);
    SendMessageW(bar, PBM_SETRANGE32, 0, steps);
    SendMessageW(bar, PBM_SETSTEP, 1, 0);
    set_item_text(dialog, id_status, "Creating folders...");
}

// Escape or the close box: the worker stops after its current file, then the dialog ends.
void request_stop(HWND dialog, duplicate_state& state) {
    if (state.stop.exchange(true)) return;
    set_item_text(dialog, id_status, "Stopping...");
}

void finish(HWND dialog, duplicate_state& state) {
    KillTimer(dialog, kTimer);
    state.worker.join();  // it has posted its last message
    EndDialog(dialog, 0);
}

INT_PTR CALLBACK duplicate_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        initialise(dialog, *reinterpret_cast<duplicate_state*>(lparam));
        return TRUE;
    }
    duplicate_state* state = state_of(dialog);
    if (!state) return FALSE;
    switch (message) {
        case msg_duplicate_listing:
            set_item_text(dialog, id_status, "Listing all files and folders");
            ShowWindow(GetDlgItem(dialog, id_bar), SW_HIDE);
            ShowWindow(GetDlgItem(dialog, id_animation), SW_SHOW);
            return TRUE;
        case msg_duplicate_range: on_range(dialog, lparam); return TRUE;
        case msg_duplicate_step:
            SendMessageW(GetDlgItem(dialog, id_bar), PBM_STEPIT, 0, 0);
            return TRUE;
        case msg_duplicate_copying:
            if (!state->stop) set_item_text(dialog, id_status, "Copying files...");
            return TRUE;
        case msg_duplicate_finished: finish(dialog, *state); return TRUE;
        case WM_TIMER:
            if (wparam == kTimer) show_frame(dialog, *state, next_loadbar_frame());
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wparam) == IDCANCEL) request_stop(dialog, *state);
            return TRUE;
        case WM_CLOSE: request_stop(dialog, *state); return TRUE;
        case WM_CTLCOLORDLG: return reinterpret_cast<INT_PTR>(state->background.get());
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wparam);
            SetTextColor(dc, kText);
            SetBkColor(dc, kBackground);
            return reinterpret_cast<INT_PTR>(state->background.get());
        }
        case WM_DESTROY: KillTimer(dialog, kTimer); return FALSE;
        default: return FALSE;
    }
}

}  // namespace

assets::duplicate_result run_duplicate_dialog(HWND owner, const std::string& project_folder,
                                              const std::string& target) {
    duplicate_state state;
    state.source = project_folder;
    state.target = target;
    dialog_template_spec spec;
    spec.caption = "";
    spec.style = WS_POPUP | DS_MODALFRAME | DS_SETFONT;
    spec.width = 152;
    spec.height = 40;
    run_modal_dialog(owner, spec, duplicate_procedure, reinterpret_cast<LPARAM>(&state));
    // Had the dialog not been shown to its end, the worker stops and is waited for here.
    state.worker.stop();
    state.worker.join();
    return state.result;
}
