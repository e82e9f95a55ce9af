#pragma once
// After a successful compile: install the APK on a connected phone and start it there. adb
// lists the devices while the success message is read; once it is closed, the user is asked
// (or, with several phones, chooses), and the install, a needed uninstall and the start run
// behind a progress dialog with Cancel. Without adb or without a phone nothing is asked.
// Everything here runs on the command thread.
#include <windows.h>

#include <memory>
#include <string>

#include "core/build/tool_config.h"
#include "core/device/install_messages.h"

namespace vexlo {

class phone_listing;

class phone_install {
public:
    // Starts "adb devices -l" on a thread of its own when the SDK has adb.
    explicit phone_install(const build::tool_config& tools);
    ~phone_install();
    phone_install(const phone_install&) = delete;
    phone_install& operator=(const phone_install&) = delete;

    // Waits for the listing (a hung adb at most a few seconds from its start), then asks and
    // does what the user chooses.
    void offer(HWND owner, const device::app_facts& app, const std::string& apk);

private:
    std::unique_ptr<phone_listing> listing_;
};

}  // namespace vexlo
