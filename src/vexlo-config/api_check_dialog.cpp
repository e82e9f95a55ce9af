#include "vexlo-config/api_check_dialog.h"

#include <commctrl.h>

#include <array>
#include <memory>
#include <string>

#include "core/build/compile_identity.h"
#include "core/build/tool_commands.h"
#include "core/configurator/api_check.h"
#include "platform/platform.h"
#include "vexlo-config/configurator_app.h"
#include "vexlo-config/api_check_ids.h"
#include "vexlo-config/control_ids.h"
#include "winui/command_runner.h"
#include "winui/dialog_base.h"
#include "winui/dialog_font.h"
#include "winui/gdi_handles.h"
#include "winui/message_box.h"
#include "winui/result_job.h"
#include "winui/window_icon.h"

using configurator::api_check_host;
using configurator::api_check_result;

namespace vexlo_config {
namespace {

using namespace api_check_ids;

constexpr UINT_PTR kTimer = 1424;
const COLORREF kBackground = RGB(241, 245, 248);
const COLORREF kText = RGB(0, 6, 54);

// One frame counter for the whole run.
int next_frame() {
    static int frame = 0;  // window thread only
    frame = (frame + 1) % 10;
    return frame;
}

// Removes a work folder of a tool run. The command interpreter that ran in it may hold it for
// a moment after it has ended.
void remove_work_folder(const std::string& folder) {
    for (int attempt = 0; attempt < 40; ++attempt) {
        if (platform::remove_directory(folder) || !platform::file_exists(folder)) return;
        Sleep(25);
    }
}

// Runs the tools of the check on the job's thread.
class tool_host : public api_check_host {
public:
    tool_host(const build::tool_config& tools, winui::tool_job& job, const std::atomic<bool>& stop)
        : tools_(tools), job_(job), stop_(stop) {}

    // The alias check of the keystore dialog's programs, on a throw-away copy, run in the job
    // so that a closing window ends keytool at once and the copy is removed.
    alias_answer check_keystore(const std::string& keystore, const std::string& alias,
                                const std::string& password) override {
        const std::string folder = build::alias_check_folder(
            platform::temp_folder(), std::to_string(GetCurrentProcessId()) + "-start");
        const std::string copy = folder + std::string(build::kAliasCheckKeystore);
        platform::make_directories(folder);
        platform::remove_file(copy);
        build::run_outcome outcome{build::run_status::finished, ""};
        if (platform::copy_file(keystore, copy)) {
            winui::run_request request;
            request.command = build::changealias_command(alias, password);
            request.folder = folder;
            request.variant = build::runner_variant::configurator;
            outcome = winui::run_tool(tools_, request, &job_);
        } else if (platform::file_exists(keystore)) {
            outcome = {build::run_status::cannot_write, std::string(build::kResultErrorWriting)};
        }
        platform::remove_file(copy);
        remove_work_folder(folder);
        switch (build::judge_alias_check(outcome)) {
            case build::alias_check::fits: return alias_answer::fits;
            case build::alias_check::does_not_fit: return alias_answer::does_not_fit;
            case build::alias_check::not_checked: break;
        }
        return alias_answer::not_checked;
    }

    std::string list_targets() override {
        // A folder of this user's own: the program folder may be read-only once installed.
        const std::string folder = platform::temp_folder() + "\\vexlo-config-targets-" +
                                   std::to_string(GetCurrentProcessId()) + "\\";
        platform::make_directories(folder);
        winui::run_request request;
        request.command = "android list targets";
        request.folder = folder;
        request.variant = build::runner_variant::configurator;
        const build::run_outcome outcome = winui::run_tool(tools_, request, &job_);
        remove_work_folder(folder);
        return outcome.text;
    }

    bool stopped() const override { return stop_.load(); }

private:
    build::tool_config tools_;
    winui::tool_job& job_;
    const std::atomic<bool>& stop_;
};

HWND g_open_dialog = nullptr;  // the window's thread only

winui::unique_font tahoma(HWND dialog, int weight) {
    return winui::dialog_font(dialog, 8, weight, L"Tahoma");
}

class check_dialog : public winui::dialog_handler {
public:
    explicit check_dialog(HWND owner) : owner_(owner) {}

    void on_init(HWND dialog) override;
    bool on_command(HWND dialog, int id, int) override {
        // Escape closes the dialog early; the check stops where it is.
        if (id == IDCANCEL) EndDialog(dialog, 0);
        return true;
    }
    bool on_message(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam,
                    INT_PTR& result) override;

private:
    void show_frame(HWND dialog, int frame) {
        SendDlgItemMessageW(
            dialog, animation, STM_SETIMAGE, IMAGE_BITMAP,
            reinterpret_cast<LPARAM>(frames_[static_cast<std::size_t>(frame)].get()));
    }
    void start_check(HWND dialog);
    void finish(HWND dialog);

    HWND owner_;
    std::array<winui::unique_bitmap, 10> frames_;
    winui::unique_brush background_{CreateSolidBrush(kBackground)};
    winui::unique_font bold_;
    winui::unique_font regular_;
    winui::result_job<api_check_result> task_;  // last: ends before anything it uses goes
};

void check_dialog::start_check(HWND dialog) {
    auto job = std::make_shared<winui::tool_job>();
    const build::tool_config config = app().config;
    const bool started = task_.start(
        dialog, winui::msg_api_check_done,
        [config, job](const std::atomic<bool>& stop) {
            tool_host host(config, *job, stop);
            return configurator::run_api_check(config, host);
        },
        [job] { job->cancel(); });
    if (!started) EndDialog(dialog, 0);
}

void check_dialog::on_init(HWND dialog) {
    g_open_dialog = dialog;
    winui::set_program_icons(dialog);
    const HINSTANCE module = GetModuleHandleW(nullptr);
    for (int i = 0; i < 10; ++i) {
        const std::wstring name = L"LOADBAR0" + std::to_wstring(i);
        frames_[static_cast<std::size_t>(i)].reset(static_cast<HBITMAP>(
            LoadImageW(module, name.c_str(), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    }
    winui::create_control_du(dialog, WC_STATICW, "", SS_BITMAP, 0, animation, 1, 4, 120, 10);
    show_frame(dialog, 0);
    winui::create_control_du(dialog, WC_STATICW, "Checking Android APIs available",
                             SS_LEFTNOWORDWRAP, 0, title, 6, 18, 160, 12);
    winui::create_control_du(dialog, WC_STATICW, "Please be patient", SS_LEFTNOWORDWRAP, 0, note, 6,
                             28, 80, 12);
    bold_ = tahoma(dialog, FW_BOLD);
    regular_ = tahoma(dialog, FW_NORMAL);
    SendDlgItemMessageW(dialog, title, WM_SETFONT, reinterpret_cast<WPARAM>(bold_.get()), FALSE);
    SendDlgItemMessageW(dialog, note, WM_SETFONT, reinterpret_cast<WPARAM>(regular_.get()), FALSE);
    SetTimer(dialog, kTimer, 100, nullptr);
    PostMessageW(dialog, WM_TIMER, kTimer, 0);
    start_check(dialog);
}

// The check has ended: its warning (owned by this dialog, the animation going on behind it),
// then its outcome, then the ready button, then the dialog closes.
void check_dialog::finish(HWND dialog) {
    std::optional<api_check_result> result = task_.take();
    if (!result) return;
    if (!result->stopped && result->targets_listed && !result->rule.warning_text.empty())
        tell(dialog, result->rule.warning_text, MB_OK | MB_ICONEXCLAMATION);
    configurator_app& a = app();
    if (configurator::apply_api_check(*result, a.config, a.targets, a.open_chooser_pending))
        EnableWindow(GetDlgItem(owner_, id_ready), TRUE);
    KillTimer(dialog, kTimer);
    task_.release_if_finished();
    EndDialog(dialog, 1);
}

bool check_dialog::on_message(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam,
                              INT_PTR& result) {
    (void)lparam;
    result = TRUE;
    switch (message) {
        case WM_TIMER:
            if (wparam == kTimer) show_frame(dialog, next_frame());
            return true;
        case winui::msg_api_check_done: finish(dialog); return true;
        case WM_CTLCOLORDLG: result = reinterpret_cast<INT_PTR>(background_.get()); return true;
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wparam);
            SetTextColor(dc, kText);
            SetBkColor(dc, kBackground);
            result = reinterpret_cast<INT_PTR>(background_.get());
            return true;
        }
        case WM_CLOSE: EndDialog(dialog, 0); return true;
        case WM_DESTROY:
            g_open_dialog = nullptr;
            KillTimer(dialog, kTimer);
            task_.stop();  // its tools end at once; it removes its files before its end
            return false;
        default: return false;
    }
}

}  // namespace

void close_api_check_dialog() {
    if (g_open_dialog) EndDialog(g_open_dialog, 0);
}

void run_api_check_dialog(HWND owner) {
    check_dialog handler(owner);
    winui::dialog_outline outline;
    outline.caption = "Android Vexlo Configurator";
    outline.style = WS_POPUP | WS_VISIBLE | DS_MODALFRAME | DS_SETFONT;
    outline.width = 152;
    outline.height = 40;
    winui::run_dialog(owner, outline, handler);
}

}  // namespace vexlo_config
