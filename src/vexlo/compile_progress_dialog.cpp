#include "vexlo/compile_progress_dialog.h"

#include <commctrl.h>

#include <memory>

#include "core/build/compile_messages.h"
#include "core/shell/main_window_model.h"
#include "vexlo/compile_worker.h"
#include "vexlo/loadbar_frames.h"
#include "winui/dialog_font.h"
#include "winui/dialog_template.h"
#include "winui/dpi.h"
#include "winui/gdi_handles.h"
#include "winui/message_box.h"
#include "winui/text_controls.h"

using namespace winui;

namespace {

const COLORREF kBackground = RGB(241, 245, 248);
const COLORREF kText = RGB(0, 6, 54);

// The last worker: a new build waits until it has ended, so two builds never share files.
std::unique_ptr<build_worker>& last_worker() {
    static std::unique_ptr<build_worker> worker;
    return worker;
}

struct progress_state {
    progress_state(bool clean, const build::build_inputs& in, build_worker& w)
        : clean_mode(clean), inputs(&in), worker(&w) {}
    bool clean_mode;
    const build::build_inputs* inputs;
    build_worker* worker;
    loadbar_frames frames;
    unique_brush background{CreateSolidBrush(kBackground)};
    unique_font bold;
    unique_font regular;
    bool finished = false;
};

unique_font tahoma(HWND dialog, int weight) {
    return dialog_font(dialog, 8, weight, L"Tahoma");
}

void show_frame(HWND dialog, const progress_state& state, int frame) {
    SendDlgItemMessageW(dialog, id_progress_animation, STM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(state.frames.frame(frame)));
}

void initialise(HWND dialog, progress_state& state) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
    const HINSTANCE module = GetModuleHandleW(nullptr);
    if (HICON icon = static_cast<HICON>(LoadImageW(module, L"AICO", IMAGE_ICON,
                                                   GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), 0)))
        SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    HWND animation = create_control_du(dialog, WC_STATICW, "", SS_BITMAP, 0, id_progress_animation,
                                       1, 4, 120, 10);
    ShowWindow(animation, SW_HIDE);  // shown once the worker has started
    show_frame(dialog, state, 0);
    create_control_du(dialog, WC_STATICW, "", SS_LEFTNOWORDWRAP, 0, id_progress_title, 6, 20, 160,
                      12);
    create_control_du(dialog, WC_STATICW, "", SS_LEFTNOWORDWRAP, 0, id_progress_step, 6, 32, 80,
                      12);
    create_control_du(dialog, WC_BUTTONW, "Cancel", WS_TABSTOP | BS_PUSHBUTTON, 0,
                      id_progress_cancel, 125, 32, 40, 15);
    state.bold = tahoma(dialog, FW_BOLD);
    state.regular = tahoma(dialog, FW_NORMAL);
    for (auto [id, font] : {std::pair{id_progress_title, state.bold.get()},
                            std::pair{id_progress_step, state.regular.get()},
                            std::pair{id_progress_cancel, state.bold.get()}})
        SendDlgItemMessageW(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    center_window(dialog, GetWindow(dialog, GW_OWNER));

    SetTimer(dialog, id_progress_timer, 100, nullptr);
    PostMessageW(dialog, WM_TIMER, id_progress_timer, 0);
    if (!state.worker->attach(dialog))
        PostMessageW(dialog, msg_build_finished, build::result_cannot_start, 0);
}

void on_step(HWND dialog, const progress_state& state, UINT message) {
    const build::build_inputs& in = *state.inputs;
    switch (message) {
        case msg_compile_started:
        case msg_clean_started: {
            const build::build_step step = message == msg_clean_started
                                               ? build::build_step::clean_started
                                               : build::build_step::compile_started;
            set_item_text(dialog, id_progress_title,
                          build::progress_title(step, in.app_name, in.version_code));
            if (step == build::build_step::clean_started)
                set_item_text(dialog, id_progress_step, build::progress_step_text(step));
            ShowWindow(GetDlgItem(dialog, id_progress_animation), SW_SHOW);
            break;
        }
        case msg_updating:
            set_item_text(dialog, id_progress_step,
                          build::progress_step_text(build::build_step::updating));
            break;
        case msg_cleaning:
            set_item_text(dialog, id_progress_step,
                          build::progress_step_text(build::build_step::cleaning));
            break;
        case msg_compiling:
            set_item_text(dialog, id_progress_step,
                          build::progress_step_text(build::build_step::compiling));
            break;
        case msg_signing:
            set_item_text(dialog, id_progress_step,
                          build::progress_step_text(build::build_step::signing));
            break;
        default: break;
    }
}

void finish(HWND dialog, progress_state& state, WPARAM result) {
    if (state.finished) return;  // Cancel and the worker's own end may cross
    state.finished = true;
    KillTimer(dialog, id_progress_timer);
    state.worker->detach();
    EndDialog(dialog, static_cast<INT_PTR>(result));
}

void cancel(HWND dialog, progress_state& state) {
    state.worker->cancel();
    finish(dialog, state, build::result_cancelled);
}

INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* state = reinterpret_cast<progress_state*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (message == WM_INITDIALOG) {
        initialise(dialog, *reinterpret_cast<progress_state*>(lparam));
        return TRUE;
    }
    if (!state) return FALSE;
    switch (message) {
        case WM_TIMER:
            if (wparam == id_progress_timer && !state->finished)
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
            if (LOWORD(wparam) == id_progress_cancel || LOWORD(wparam) == IDCANCEL) {
                cancel(dialog, *state);
                return TRUE;
            }
            return FALSE;
        case WM_CLOSE: cancel(dialog, *state); return TRUE;
        case msg_build_finished: finish(dialog, *state, wparam); return TRUE;
        case msg_compile_started:
        case msg_updating:
        case msg_cleaning:
        case msg_compiling:
        case msg_signing:
        case msg_clean_started: on_step(dialog, *state, message); return TRUE;
        default: return FALSE;
    }
}

}  // namespace

build::build_result run_progress_dialog(HWND owner, bool clean_mode,
                                        const build::build_inputs& inputs,
                                        const build::tool_config& tools,
                                        std::shared_ptr<tool_job> job,
                                        build::apk_verification* verification) {
    std::unique_ptr<build_worker>& worker = last_worker();
    if (worker) worker->wait();
    worker = std::make_unique<build_worker>(inputs, tools, clean_mode, std::move(job));
    progress_state state(clean_mode, inputs, *worker);
    worker->start();
    dialog_template_spec spec;
    spec.caption = shell::kProgramCaption;
    spec.width = 170;
    spec.height = 50;
    const INT_PTR result =
        run_modal_dialog(owner, spec, procedure, reinterpret_cast<LPARAM>(&state));
    if (result < 0) {
        // No dialog came up to follow the build: it takes no further step.
        worker->cancel();
        worker->detach();
        return build::result_cannot_start;
    }
    if (verification) *verification = worker->verification();
    return static_cast<build::build_result>(result);
}
