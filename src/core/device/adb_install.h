#pragma once
// What "adb install -r" (and "adb uninstall", which answers the same way) says once it has
// ended: success, one of the refusals a user can act on, or the phone's failure as it stands.
#include <string>
#include <string_view>

namespace device {

enum class install_outcome {
    success,
    update_incompatible,  // the phone holds the app signed with another key
    deprecated_sdk,       // the target SDK is too low for the phone's Android version
    version_downgrade,    // the phone holds a higher version code
    insufficient_storage,
    older_sdk,       // the min SDK is above the phone's Android version
    other_failure,   // any other "Failure [...]": shown as it stands
    device_missing,  // the phone went away (or was never there) before adb could talk to it
    unauthorized,    // the phone has not allowed this computer to debug it
    offline,
    no_answer,  // neither "Success" nor a failure: the whole output is the reason
};

struct install_answer {
    install_outcome outcome = install_outcome::no_answer;
    std::string failure;  // "Failure [INSTALL_FAILED_...: ...]" as adb wrote it; "" otherwise
    std::string output;   // the tool's whole output without trailing line ends
};

install_answer read_install_answer(std::string_view output);

// What the launch on the phone ("adb shell monkey -p PACKAGE -c ...LAUNCHER 1") says: true
// when it started the app; the reasons it did not are in its output.
bool app_started(std::string_view output);

}  // namespace device
