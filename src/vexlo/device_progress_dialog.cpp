#include "vexlo/device_progress_dialog.h"

#include <commctrl.h>

#include "core/shell/main_window_model.h"
#include "vexlo/loadbar_frames.h"
#include "winui/dialog_template.h"
#include "winui/dpi.h"
#include "winui/gdi_handles.h"
#include "winui/message_box.h"
#include "winui/text_controls.h"
#include "winui/window_icon.h"

namespace {

const COLORREF kBackground = RGB(241, 245, 248);
const COLORREF kText = RGB(0, 6, 54);
constexpr UINT msg_step_done = WM_APP + 61;

struct step_state {
    step_state(const std::string& t, const std::string& s, const build::tool_config& c,
               const run_request& r, tool_job& j)
        : title(&t), step(&s), tools(&c), request(&r), job(&j) {}
    const std::string* title;
    const std::string* step;
    const build::tool_config* tools;
    const run_request* request;
    tool_job* job;
    HWND dialog = nullptr;
    HANDLE thread = nullptr;
    build::run_outcome outcome{build::run_status::cancelled, std::string(build::kResultCancelled)};
    loadbar_frames frames;
    unique_brush background{CreateSolidBrush(kBackground)};
    unique_font bold;
    unique_font regular;
    bool finished = false;
};

// A thread procedure of its own: a lambda cannot become a stdcall function on 32-bit Windows.
DWORD WINAPI step_thread(LPVOID parameter) {
    auto& state = *static_cast<step_state*>(parameter);
    build::run_outcome outcome = run_tool(*state.tools, *state.request, state.job);
    // The dialog reads the outcome only after this thread has ended.
    state.outcome = std::move(outcome);
    PostMessageW(state.dialog, msg_step_done, 0, 0);
    return 0;
}

unique_font tahoma(HWND dialog, int weight) {
    return unique_font(CreateFontW(-MulDiv(8, static_cast<int>(window_dpi(dialog)), 72), 0, 0, 0,
                                   weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                   CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH,
                                   L"Tahoma"));
}

void show_frame(HWND dialog, const step_state& state, int frame) {
    SendDlgItemMessageW(dialog, id_device_animation, STM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(state.frames.frame(frame)));
}

void initialise(HWND dialog, step_state& state) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
    state.dialog = dialog;
    set_caption_icon(dialog);
    create_control_du(dialog, WC_STATICW, "", SS_BITMAP, 0, id_device_animation, 1, 4, 120, 10);
    show_frame(dialog, state, next_loadbar_frame());
    create_control_du(dialog, WC_STATICW, *state.title, SS_LEFTNOWORDWRAP | SS_ENDELLIPSIS, 0,
                      id_device_title, 6, 20, 160, 12);
    create_control_du(dialog, WC_STATICW, *state.step, SS_LEFTNOWORDWRAP, 0, id_device_step, 6, 32,
                      110, 12);
    create_control_du(dialog, WC_BUTTONW, "Cancel", WS_TABSTOP | BS_PUSHBUTTON, 0, id_device_cancel,
                      125, 32, 40, 15);
    state.bold = tahoma(dialog, FW_BOLD);
    state.regular = tahoma(dialog, FW_NORMAL);
    for (auto [id, font] : {std::pair{id_device_title, state.bold.get()},
                            std::pair{id_device_step, state.regular.get()},
                            std::pair{id_device_cancel, state.bold.get()}})
        SendDlgItemMessageW(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    center_window(dialog, GetWindow(dialog, GW_OWNER));
    SetTimer(dialog, id_device_timer, 100, nullptr);
    state.thread = CreateThread(nullptr, 0, step_thread, &state, 0, nullptr);
    if (!state.thread) {
        state.outcome = {build::run_status::cannot_start,
                         std::string(build::status_word(build::run_status::cannot_start))};
        PostMessageW(dialog, msg_step_done, 0, 0);
    }
}

void finish(HWND dialog, step_state& state) {
    if (state.finished) return;  // Cancel and adb's own end may cross
    state.finished = true;
    KillTimer(dialog, id_device_timer);
    EndDialog(dialog, 0);
}

void cancel(HWND dialog, step_state& state) {
    state.job->cancel();
    finish(dialog, state);
}

INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* state = reinterpret_cast<step_state*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (message == WM_INITDIALOG) {
        initialise(dialog, *reinterpret_cast<step_state*>(lparam));
        return TRUE;
    }
    if (!state) return FALSE;
    switch (message) {
        case WM_TIMER:
            if (wparam == id_device_timer && !state->finished)
                show_frame(dialog, *state, next_loadbar_frame());
            return TRUE;
        case WM_CTLCOLORDLG: return reinterpret_cast<INT_PTR>(state->background.get());
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wparam);
            SetTextColor(dc, kText);
            SetBkColor(dc, kBackground);
            return reinterpret_cast<INT_PTR>(state->background.get());
        }
        case WM_COMMAND:
            if (LOWORD(wparam) == id_device_cancel || LOWORD(wparam) == IDCANCEL) {
                cancel(dialog, *state);
                return TRUE;
            }
            return FALSE;
        case WM_CLOSE: cancel(dialog, *state); return TRUE;
        case msg_step_done: finish(dialog, *state); return TRUE;
        default: return FALSE;
    }
}

}  // namespace

build::run_outcome run_device_step(HWND owner, const std::string& title, const std::string& step,
                                   const build::tool_config& tools, const run_request& request,
                                   tool_job& job) {
    step_state state(title, step, tools, request, job);
    dialog_template_spec spec;
    spec.caption = shell::kProgramCaption;
    spec.width = 170;
    spec.height = 50;
    const INT_PTR shown =
        run_modal_dialog(owner, spec, procedure, reinterpret_cast<LPARAM>(&state));
    if (shown < 0) job.cancel();  // no dialog to follow adb: it takes no further step
    if (state.thread) {
        // After Cancel the job has ended adb, so the thread ends soon.
        wait_serving_messages(state.thread);
        CloseHandle(state.thread);
    }
    if (job.cancelled())
        return {build::run_status::cancelled, std::string(build::kResultCancelled)};
    return state.outcome;
}
