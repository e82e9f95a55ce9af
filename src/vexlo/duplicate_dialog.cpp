#include "vexlo/duplicate_dialog.h"

#include <commctrl.h>

#include <atomic>

#include "vexlo/duplicate_ids.h"
#include "vexlo/loadbar_frames.h"
#include "winui/app_messages.h"
#include "winui/background_job.h"
#include "winui/dialog_base.h"
#include "winui/dialog_font.h"
#include "winui/gdi_handles.h"
#include "winui/text_controls.h"

namespace vexlo {
namespace {

using namespace duplicate_ids;

constexpr UINT_PTR kTimer = 1424;
constexpr COLORREF kBackground = RGB(241, 245, 248);
constexpr COLORREF kText = RGB(0, 6, 54);

// What the worker and the dialog share.
struct duplicate_work {
    std::string source;
    std::string target;
    HWND dialog = nullptr;
    std::atomic<bool> stop{false};
    assets::duplicate_result result;
};

// Runs on the worker thread: only posts, never touches a control.
class posting_observer : public assets::duplicate_observer {
public:
    explicit posting_observer(duplicate_work& work) : work_(work) {}
    void listing() override { post(winui::msg_duplicate_listing, 0); }
    void range(std::size_t steps) override {
        post(winui::msg_duplicate_range,
             static_cast<LPARAM>(std::min<std::size_t>(steps, 0x7FFFFFFF)));
    }
    void step() override { post(winui::msg_duplicate_step, 0); }
    void copying() override { post(winui::msg_duplicate_copying, 0); }
    bool stop_requested() override { return work_.stop.load(); }

private:
    void post(UINT message, LPARAM l) { PostMessageW(work_.dialog, message, 0, l); }
    duplicate_work& work_;
};

void copy_project(duplicate_work& work) {
    try {
        posting_observer observer(work);
        work.result = assets::duplicate_project(work.source, work.target, observer);
    } catch (...) {  // out of memory
        work.result.failed.push_back(work.target);
    }
    PostMessageW(work.dialog, winui::msg_duplicate_finished, 0, 0);
}

void show_range(HWND dialog, LPARAM steps) {
    HWND progress = GetDlgItem(dialog, bar);
    ShowWindow(GetDlgItem(dialog, animation), SW_HIDE);
    SendMessageW(progress, PBM_SETRANGE32, 0, 100);
    SendMessageW(progress, PBM_SETPOS, 0, 0);
    ShowWindow(progress, SW_SHOW);
    SendMessageW(progress, PBM_SETRANGE32, 0, steps);
    SendMessageW(progress, PBM_SETSTEP, 1, 0);
    winui::set_item_text(dialog, status, "Creating folders...");
}

class duplicate_dialog : public winui::dialog_handler {
public:
    duplicate_dialog(const std::string& source, const std::string& target) {
        work_.source = source;
        work_.target = target;
    }

    void on_init(HWND dialog) override {
        work_.dialog = dialog;
        winui::create_control_du(dialog, WC_STATICW, "", SS_BITMAP | SS_REALSIZECONTROL, 0,
                                 animation, 1, 4, 120, 10);
        HWND progress =
            winui::create_control_du(dialog, PROGRESS_CLASSW, "", PBS_SMOOTH, 0, bar, 4, 4, 130, 8);
        ShowWindow(progress, SW_HIDE);
        HWND heading = winui::create_control_du(dialog, WC_STATICW, "Duplicating project...",
                                                SS_LEFT, 0, title, 6, 18, 160, 12);
        HWND line = winui::create_control_du(dialog, WC_STATICW, "", SS_LEFT | SS_ENDELLIPSIS, 0,
                                             status, 6, 28, 140, 12);
        bold_ = winui::dialog_font(dialog, 8, FW_BOLD, L"Tahoma");
        regular_ = winui::dialog_font(dialog, 8, FW_NORMAL, L"Tahoma");
        SendMessageW(heading, WM_SETFONT, reinterpret_cast<WPARAM>(bold_.get()), FALSE);
        SendMessageW(line, WM_SETFONT, reinterpret_cast<WPARAM>(regular_.get()), FALSE);
        show_frame(dialog, 0);
        SetTimer(dialog, kTimer, 100, nullptr);
        PostMessageW(dialog, WM_TIMER, kTimer, 0);
        if (!worker_.start([this] { copy_project(work_); }, [this] { work_.stop = true; })) {
            work_.result.failed.push_back(work_.target);
            EndDialog(dialog, 0);
        }
    }

    // Escape: the worker stops after its current file, then the dialog ends.
    bool on_command(HWND dialog, int id, int) override {
        if (id == IDCANCEL) request_stop(dialog);
        return true;
    }

    bool on_message(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam,
                    INT_PTR& result) override;

    // Had the dialog not been shown to its end, the worker stops and is waited for here.
    assets::duplicate_result finish_work() {
        worker_.stop();
        worker_.join();
        return work_.result;
    }

private:
    void show_frame(HWND dialog, int frame) {
        SendMessageW(GetDlgItem(dialog, animation), STM_SETIMAGE, IMAGE_BITMAP,
                     reinterpret_cast<LPARAM>(frames_.frame(frame)));
    }

    void request_stop(HWND dialog) {
        if (work_.stop.exchange(true)) return;
        winui::set_item_text(dialog, status, "Stopping...");
    }

    void finish(HWND dialog) {
        KillTimer(dialog, kTimer);
        worker_.join();  // it has posted its last message
        EndDialog(dialog, 0);
    }

    duplicate_work work_;
    loadbar_frames frames_;
    winui::unique_brush background_{CreateSolidBrush(kBackground)};
    winui::unique_font bold_;
    winui::unique_font regular_;
    winui::background_job worker_;  // last: ends before anything it uses goes
};

bool duplicate_dialog::on_message(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam,
                                  INT_PTR& result) {
    result = TRUE;
    switch (message) {
        case winui::msg_duplicate_listing:
            winui::set_item_text(dialog, status, "Listing all files and folders");
            ShowWindow(GetDlgItem(dialog, bar), SW_HIDE);
            ShowWindow(GetDlgItem(dialog, animation), SW_SHOW);
            return true;
        case winui::msg_duplicate_range: show_range(dialog, lparam); return true;
        case winui::msg_duplicate_step:
            SendMessageW(GetDlgItem(dialog, bar), PBM_STEPIT, 0, 0);
            return true;
        case winui::msg_duplicate_copying:
            if (!work_.stop) winui::set_item_text(dialog, status, "Copying files...");
            return true;
        case winui::msg_duplicate_finished: finish(dialog); return true;
        case WM_TIMER:
            if (wparam == kTimer) show_frame(dialog, next_loadbar_frame());
            return true;
        case WM_CLOSE: request_stop(dialog); return true;
        case WM_CTLCOLORDLG: result = reinterpret_cast<INT_PTR>(background_.get()); return true;
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wparam);
            SetTextColor(dc, kText);
            SetBkColor(dc, kBackground);
            result = reinterpret_cast<INT_PTR>(background_.get());
            return true;
        }
        case WM_DESTROY: KillTimer(dialog, kTimer); return false;
        default: return false;
    }
}

}  // namespace

assets::duplicate_result run_duplicate_dialog(HWND owner, const std::string& project_folder,
                                              const std::string& target) {
    duplicate_dialog handler(project_folder, target);
    winui::dialog_outline outline;
    outline.caption = "";
    outline.style = WS_POPUP | DS_MODALFRAME | DS_SETFONT;
    outline.width = 152;
    outline.height = 40;
    winui::run_dialog(owner, outline, handler);
    return handler.finish_work();
}

}  // namespace vexlo
