#pragma once
// The texts of installing the compiled APK on a phone and starting it there: questions, the
// progress dialog's lines and what each outcome tells the user. Lines are separated by one CR.
#include <string>
#include <string_view>
#include <vector>

#include "core/build/compile_runner_status.h"
#include "core/device/adb_devices.h"
#include "core/device/adb_install.h"

namespace device {

// What the messages say of the app.
struct app_facts {
    std::string app_name;
    std::string package_name;
    std::string version_code;
    std::string min_sdk;
    std::string target_sdk;
};

// "Pixel 7 (serial 1A2B3C)", or the serial alone when the phone reports no model.
std::string device_label(const adb_device& device);

std::string install_question(const app_facts& app, const adb_device& device);
// The chooser's line above its list.
std::string choose_device_text(const app_facts& app);
// Phones plugged in that cannot take the APK: unauthorized, offline or without permission.
std::string not_ready_message(const std::vector<adb_device>& devices);

// The progress dialog's lines.
std::string install_progress_title(const app_facts& app, const adb_device& device);
std::string install_step_text();
std::string uninstall_step_text();
std::string start_step_text();

std::string start_question(const app_facts& app, const adb_device& device);
// The phone holds the app signed with another key: uninstall it first? Its data is lost.
std::string uninstall_question(const app_facts& app, const adb_device& device);
// Every other outcome of an install that did not succeed.
std::string install_failure_message(const install_answer& answer, const app_facts& app,
                                    const adb_device& device);
// The old app could not be removed.
std::string uninstall_failure_message(const install_answer& answer, const app_facts& app,
                                      const adb_device& device);
std::string start_failure_message(std::string_view output, const app_facts& app);
// adb could not be run at all (the runner's status: no temporary file, no interpreter, a path
// cmd.exe cannot read).
std::string adb_not_run_message(build::run_status status);

}  // namespace device
