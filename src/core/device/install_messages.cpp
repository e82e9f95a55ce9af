#include "core/device/install_messages.h"

#include "core/build/compile_messages.h"
#include "core/device/tool_output.h"
#include "core/text/text_helpers.h"

namespace device {

namespace {

constexpr const char* CR = "\r";

std::string name_of(const app_facts& app) {
    return text::trim_spaces(app.app_name);
}

// A tool's output for a message: CR between its lines, at most a screenful of them.
std::string shown_output(std::string_view output) {
    std::string out;
    int count = 0;
    for (std::string_view line : output_lines(output)) {
        if (text::trim_spaces(line).empty()) continue;
        if (++count > 12) {
            out += std::string(CR) + "...";
            break;
        }
        if (!out.empty()) out += CR;
        out += std::string(line);
    }
    return out.empty() ? "(no answer)" : out;
}

std::string level_or_unknown(std::string_view level) {
    const std::string l = text::trim_spaces(level);
    return l.empty() ? "not set" : l;
}

}  // namespace

std::string device_label(const adb_device& device) {
    if (device.model.empty()) return device.serial;
    return device_name(device) + " (serial " + device.serial + ")";
}

std::string install_question(const app_facts& app, const adb_device& device) {
    return std::string("A phone is connected: ") + device_label(device) + "." + CR + CR +
           "Install " + name_of(app) + " on it now ?";
}

std::string choose_device_text(const app_facts& app) {
    return "Several phones are connected. Install " + name_of(app) + " on:";
}

std::string not_ready_message(const std::vector<adb_device>& devices) {
    std::string out;
    for (const adb_device& d : devices) {
        if (!out.empty()) out += std::string(CR) + CR;
        if (d.state == "unauthorized")
            out += "The phone " + device_label(d) +
                   " is connected but has not allowed this computer to debug it." + CR + CR +
                   "Unlock the phone and accept the prompt \"Allow USB debugging?\" on its " +
                   "screen (tick \"Always allow from this computer\"), then compile again to " +
                   "install the APK on it.";
        else if (d.state == "offline")
            out += "The phone " + device_label(d) + " is connected but does not answer (offline)." +
                   CR + CR +
                   "Unplug it and plug it in again, or turn USB debugging off and on in its " +
                   "developer options, then compile again to install the APK on it.";
        else
            out += "The phone " + device_label(d) + " is connected but this computer may not " +
                   "talk to it (no permissions)." + CR + CR +
                   "Check its USB driver and its USB mode, then compile again.";
    }
    return out;
}

std::string install_progress_title(const app_facts& app, const adb_device& device) {
    return "Installing " + name_of(app) + " on " + device_name(device);
}
std::string install_step_text() {
    return "Installing...";
}
std::string uninstall_step_text() {
    return "Uninstalling...";
}
std::string start_step_text() {
    return "Starting...";
}

std::string start_question(const app_facts& app, const adb_device& device) {
    return name_of(app) + " is installed on " + device_label(device) + "." + CR + CR +
           "Start it now ?";
}

std::string uninstall_question(const app_facts& app, const adb_device& device) {
    return "The phone " + device_label(device) + " already holds " + app.package_name +
           " signed with another key, so it refuses this APK as an update." + CR + CR +
           "Uninstall the app from the phone first and then install this APK ?" + CR +
           "Warning: everything the app keeps on the phone (its files, settings and "
           "databases) is lost.";
}

std::string install_failure_message(const install_answer& answer, const app_facts& app,
                                    const adb_device& device) {
    const std::string head = "The APK could not be installed on " + device_label(device) + ".";
    std::string what;
    switch (answer.outcome) {
        case install_outcome::success: return "";
        case install_outcome::update_incompatible:
            what = std::string("The phone holds ") + app.package_name +
                   " signed with another key." + CR +
                   "Uninstall the app from the phone (its data is lost), or sign with the key "
                   "that signed the installed app.";
            break;
        case install_outcome::deprecated_sdk:
            what = "Its target SDK (" + level_or_unknown(app.target_sdk) +
                   ") is too low for the phone's Android version." + CR +
                   "Android 14 and later refuse a target SDK below 23: raise the target SDK in "
                   "the project, Apply, and compile again.";
            break;
        case install_outcome::version_downgrade:
            what = "The phone holds a newer version of " + app.package_name +
                   " than this APK (version code " + level_or_unknown(app.version_code) + ")." +
                   CR +
                   "Raise the version code above the installed one, Apply and compile again, or "
                   "uninstall the app from the phone first (its data is lost).";
            break;
        case install_outcome::insufficient_storage:
            what = std::string("The phone has not enough free storage for the app.") + CR +
                   "Free some space on the phone, then compile again.";
            break;
        case install_outcome::older_sdk:
            what = "Its min SDK (" + level_or_unknown(app.min_sdk) +
                   ") is above the phone's Android version." + CR +
                   "Lower the min SDK in the project (Apply, compile again), or use a phone "
                   "with a newer Android version.";
            break;
        case install_outcome::other_failure:
            what = std::string("The phone refused it:") + CR + answer.failure;
            break;
        case install_outcome::device_missing:
            what = std::string("The phone is no longer connected.") + CR +
                   "Plug it in again, make sure USB debugging is on, then compile again.";
            break;
        case install_outcome::unauthorized:
            what = std::string("The phone has not allowed this computer to debug it.") + CR +
                   "Unlock the phone and accept the prompt \"Allow USB debugging?\" on its "
                   "screen, then compile again.";
            break;
        case install_outcome::offline:
            what = std::string("The phone does not answer (offline).") + CR +
                   "Unplug it and plug it in again, then compile again.";
            break;
        case install_outcome::no_answer:
            what = std::string("adb said:") + CR + shown_output(answer.output);
            break;
    }
    return head + CR + CR + what;
}

std::string uninstall_failure_message(const install_answer& answer, const app_facts& app,
                                      const adb_device& device) {
    const std::string said = answer.failure.empty() ? shown_output(answer.output) : answer.failure;
    return "The app " + app.package_name + " could not be uninstalled from " +
           device_label(device) + ":" + CR + said + CR + CR +
           "Uninstall it on the phone (Settings, Apps), then compile again.";
}

std::string start_failure_message(std::string_view output, const app_facts& app) {
    return name_of(app) + " is installed but could not be started:" + CR + shown_output(output) +
           CR + CR + "Start it from the phone's app list.";
}

std::string adb_not_run_message(build::run_status status) {
    std::string why;
    switch (status) {
        case build::run_status::cannot_encode: why = build::unreadable_path_text(); break;
        case build::run_status::cannot_write:
            why =
                "Its batch file could not be written in the temporary folder: please check "
                "that the folder exists and has free space.";
            break;
        default:
            why =
                "The command interpreter (cmd.exe) could not be started: please check your "
                "Windows installation.";
            break;
    }
    return std::string("The phone could not be reached: adb could not be run.") + CR + CR + why;
}

}  // namespace device
