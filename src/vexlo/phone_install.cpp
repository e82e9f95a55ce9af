#include "vexlo/phone_install.h"

#include <set>
#include <vector>

#include "core/device/adb_commands.h"
#include "core/device/adb_devices.h"
#include "core/device/adb_install.h"
#include "core/device/install_offer.h"
#include "core/shell/main_window_model.h"
#include "platform/platform.h"
#include "vexlo/device_chooser_dialog.h"
#include "vexlo/device_progress_dialog.h"
#include "winui/background_job.h"
#include "winui/command_runner.h"
#include "winui/message_box.h"

namespace vexlo {

namespace {

// A daemon that hangs must not hold the user up: from its start, the listing gets this long
// (a real daemon that starts cold takes a few seconds, which mostly pass while the success
// message is read). After it, the listing is ended and nothing is asked.
constexpr DWORD kListingLimitMs = 5000;

// What the user has been told of phones that were plugged in but not ready, so that each is
// mentioned once while the program runs. The command threads come one after another.
std::set<std::string>& told() {
    static std::set<std::string> keys;
    return keys;
}

// adb's runs go through temp.bat in a folder of their own in the temporary folder: in the
// project they would leave files there while the user already looks at it.
std::string run_folder() {
    return platform::temp_folder() + "\\vexlo-phone-" + std::to_string(GetCurrentProcessId()) +
           "\\";
}

int tell(HWND owner, const std::string& text, UINT style) {
    return winui::show_message(owner, text, shell::kProgramCaption, style);
}

}  // namespace

// "adb devices -l" on a thread of its own, in the job that the install then goes on with (its
// command interpreter is already running by then).
class phone_listing {
public:
    phone_listing(const build::tool_config& tools, std::string adb)
        : tools_(tools), adb_(std::move(adb)), folder_(run_folder()) {
        platform::make_directories(folder_);
        started_ = GetTickCount();
        thread_.start([this] { run(); }, [this] { job_.cancel(); });
    }
    ~phone_listing() {
        thread_.stop();  // cancels adb when it still runs
        thread_.join();
        job_.end_session(true);
        platform::remove_file(folder_ + std::string(build::kRunnerBatchName));
        platform::remove_file(folder_ + std::string(build::kRunnerOutputName));
        platform::remove_directory(folder_);
    }
    phone_listing(const phone_listing&) = delete;
    phone_listing& operator=(const phone_listing&) = delete;

    // The devices adb listed; none when it could not be run, answered garbage or took too long.
    std::vector<device::adb_device> devices() {
        if (!thread_.started()) return {};
        const DWORD elapsed = GetTickCount() - started_;
        const bool ended = thread_.wait_serving_messages_for(
            elapsed < kListingLimitMs ? kListingLimitMs - elapsed : 0);
        if (!ended) {
            thread_.stop();
            thread_.join();
            return {};
        }
        if (outcome_.status != build::run_status::finished) return {};
        return device::read_device_list(outcome_.text);
    }

    const build::tool_config& tools() const { return tools_; }
    const std::string& adb() const { return adb_; }
    const std::string& folder() const { return folder_; }
    winui::tool_job& job() { return job_; }

private:
    void run() {
        winui::run_request request;
        request.command = device::list_devices_command(adb_);
        request.folder = folder_;
        outcome_ = winui::run_tool(tools_, request, &job_);
    }

    const build::tool_config tools_;
    const std::string adb_;
    const std::string folder_;
    winui::tool_job job_;
    DWORD started_ = 0;
    build::run_outcome outcome_;    // read once the thread has ended
    winui::background_job thread_;  // last: it ends before anything it uses goes
};

namespace {

// One adb call behind the progress dialog. False when the user cancelled it (nothing more
// follows then) or it could not be run at all (the user has been told).
bool step(HWND owner, phone_listing& listing, const std::string& title, const std::string& what,
          const std::string& command, std::string& output) {
    winui::run_request request;
    request.command = command;
    request.folder = listing.folder();
    const build::run_outcome outcome =
        run_device_step(owner, title, what, listing.tools(), request, listing.job());
    if (outcome.status == build::run_status::cancelled) return false;
    if (outcome.status != build::run_status::finished) {
        tell(owner, device::adb_not_run_message(outcome.status), MB_OK | MB_ICONERROR);
        return false;
    }
    output = outcome.text;
    return true;
}

void install_on(HWND owner, phone_listing& listing, const device::adb_device& phone,
                const device::app_facts& app, const std::string& apk_file) {
    const std::string title = device::install_progress_title(app, phone);
    const std::string& adb = listing.adb();
    const std::string apk = platform::batch_readable_path(apk_file);
    std::string output;
    if (!step(owner, listing, title, device::install_step_text(),
              device::install_command(adb, phone.serial, apk), output))
        return;
    device::install_answer answer = device::read_install_answer(output);
    if (answer.outcome == device::install_outcome::update_incompatible) {
        if (tell(owner, device::uninstall_question(app, phone),
                 MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES)
            return;
        if (!step(owner, listing, title, device::uninstall_step_text(),
                  device::uninstall_command(adb, phone.serial, app.package_name), output))
            return;
        const device::install_answer removed = device::read_install_answer(output);
        if (removed.outcome != device::install_outcome::success) {
            tell(owner, device::uninstall_failure_message(removed, app, phone),
                 MB_OK | MB_ICONERROR);
            return;
        }
        if (!step(owner, listing, title, device::install_step_text(),
                  device::install_command(adb, phone.serial, apk), output))
            return;
        answer = device::read_install_answer(output);
    }
    if (answer.outcome != device::install_outcome::success) {
        tell(owner, device::install_failure_message(answer, app, phone), MB_OK | MB_ICONERROR);
        return;
    }
    if (tell(owner, device::start_question(app, phone), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    if (!step(owner, listing, title, device::start_step_text(),
              device::start_command(adb, phone.serial, app.package_name), output))
        return;
    if (!device::app_started(output))
        tell(owner, device::start_failure_message(output, app), MB_OK | MB_ICONERROR);
}

}  // namespace

phone_install::phone_install(const build::tool_config& tools) {
    const std::string adb = device::adb_path(tools.android_sdk_path);
    // cmd.exe reads the batch in the console's code page: a path it lacks goes by its short form.
    if (!tools.android_sdk_path.empty() && platform::file_exists(adb))
        listing_ = std::make_unique<phone_listing>(tools, platform::batch_readable_path(adb));
}

phone_install::~phone_install() = default;

void phone_install::offer(HWND owner, const device::app_facts& app, const std::string& apk) {
    if (!listing_) return;
    const device::install_offer offer = device::offer_for(listing_->devices(), told());
    device::adb_device phone;
    switch (offer.kind) {
        case device::offer_kind::nothing: return;
        case device::offer_kind::tell:
            told().insert(offer.told.begin(), offer.told.end());
            tell(owner, offer.message, MB_OK | MB_ICONINFORMATION);
            return;
        case device::offer_kind::ask_one:
            if (tell(owner, device::install_question(app, offer.ready.front()),
                     MB_YESNO | MB_ICONQUESTION) != IDYES)
                return;
            phone = offer.ready.front();
            break;
        case device::offer_kind::choose: {
            std::vector<std::string> lines;
            for (const device::adb_device& d : offer.ready)
                lines.push_back(device::device_label(d));
            const int chosen = choose_device(owner, device::choose_device_text(app), lines);
            if (chosen < 0) return;
            phone = offer.ready[static_cast<std::size_t>(chosen)];
            break;
        }
    }
    install_on(owner, *listing_, phone, app, apk);
}

}  // namespace vexlo
