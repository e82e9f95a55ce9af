// adb's answers as it prints them on Windows: CR LF, the daemon's start-up lines, the header,
// blank lines, warnings, and the install outcomes a phone gives.
#include <gtest/gtest.h>

#include "core/device/adb_commands.h"
#include "core/device/adb_devices.h"
#include "core/device/adb_install.h"

using namespace device;

namespace {

struct listed {
    std::string serial, state, model;
};

struct listing_case {
    const char* name;
    std::string output;
    std::vector<listed> devices;
};

struct install_case {
    const char* name;
    std::string output;
    install_outcome outcome;
    std::string failure;
};

}  // namespace

TEST(AdbDevices, ReadsTheList) {
    const std::vector<listing_case> cases = {
        {"daemon starting, one phone, CR LF",
         "* daemon not running; starting now at tcp:5037\r\n* daemon started successfully\r\n"
         "List of devices attached\r\n"
         "R58M12ABCDE            device product:beyond1lteeea model:SM_G973F device:beyond1 "
         "transport_id:1\r\n\r\n",
         {{"R58M12ABCDE", "device", "SM_G973F"}}},
        {"every state, LF, tabs as plain 'devices' writes them",
         "List of devices attached\n"
         "emulator-5554\tdevice product:sdk_gphone64 model:sdk_gphone64_x86_64 transport_id:2\n"
         "1A2B3C\tunauthorized usb:1-1 transport_id:3\n"
         "192.168.1.20:5555 offline transport_id:4\n"
         "0123456789ABCDEF\tno permissions (missing udev rules? user is in the plugdev group); "
         "see [http://developer.android.com/tools/device.html]\n"
         "ZY22\tdevice\n",
         {{"emulator-5554", "device", "sdk_gphone64_x86_64"},
          {"1A2B3C", "unauthorized", ""},
          {"192.168.1.20:5555", "offline", ""},
          {"0123456789ABCDEF", "no permissions", ""},
          {"ZY22", "device", ""}}},
        {"empty list, blank lines around it", "\r\n\r\nList of devices attached\r\n\r\n\r\n", {}},
        {"version mismatch chatter after the header is no device",
         "adb server version (41) doesn't match this client (39); killing...\r\n"
         "* daemon started successfully\r\nList of devices attached\r\n"
         "adb: warning: something odd\r\nPX7 device model:Pixel_7\r\n",
         {{"PX7", "device", "Pixel_7"}}},
        {"a device line before any header is daemon chatter", "PX7 device model:Pixel_7\r\n", {}},
        {"garbage", "'adb' is not recognized as an internal or external command,\r\n", {}},
        {"lone CR line ends", "List of devices attached\rPX7\tdevice\r", {{"PX7", "device", ""}}},
    };
    for (const listing_case& c : cases) {
        const std::vector<adb_device> got = read_device_list(c.output);
        ASSERT_EQ(got.size(), c.devices.size()) << c.name;
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].serial, c.devices[i].serial) << c.name;
            EXPECT_EQ(got[i].state, c.devices[i].state) << c.name;
            EXPECT_EQ(got[i].model, c.devices[i].model) << c.name;
        }
    }
    EXPECT_EQ(device_name({"R58", "device", "SM_G973F"}), "SM G973F");
    EXPECT_EQ(device_name({"R58", "device", ""}), "R58");
}

TEST(AdbInstall, ReadsTheAnswer) {
    const std::vector<install_case> cases = {
        {"streamed success", "Performing Streamed Install\r\nSuccess\r\n", install_outcome::success,
         ""},
        {"incompatible update",
         "Performing Streamed Install\r\nadb: failed to install C:\\p\\App12.apk: Failure "
         "[INSTALL_FAILED_UPDATE_INCOMPATIBLE: Package com.x.notes signatures do not match "
         "previously installed version; ignoring!]\r\n",
         install_outcome::update_incompatible,
         "Failure [INSTALL_FAILED_UPDATE_INCOMPATIBLE: Package com.x.notes signatures do not "
         "match previously installed version; ignoring!]"},
        {"deprecated sdk",
         "Performing Streamed Install\r\nadb: failed to install x.apk: Failure "
         "[INSTALL_FAILED_DEPRECATED_SDK_VERSION: App package must target at least SDK version "
         "23, but found 19]\r\n",
         install_outcome::deprecated_sdk,
         "Failure [INSTALL_FAILED_DEPRECATED_SDK_VERSION: App package must target at least SDK "
         "version 23, but found 19]"},
        {"downgrade", "adb: failed to install x.apk: Failure [INSTALL_FAILED_VERSION_DOWNGRADE]\n",
         install_outcome::version_downgrade, "Failure [INSTALL_FAILED_VERSION_DOWNGRADE]"},
        {"storage",
         "\tpkg: /data/local/tmp/x.apk\r\nFailure [INSTALL_FAILED_INSUFFICIENT_STORAGE]\r\n",
         install_outcome::insufficient_storage, "Failure [INSTALL_FAILED_INSUFFICIENT_STORAGE]"},
        {"older sdk, old adb", "Failure [INSTALL_FAILED_OLDER_SDK]\r\n", install_outcome::older_sdk,
         "Failure [INSTALL_FAILED_OLDER_SDK]"},
        {"unknown failure as it stands",
         "Performing Streamed Install\r\nadb: failed to install x.apk: Failure "
         "[INSTALL_PARSE_FAILED_NO_CERTIFICATES: Failed to collect certificates]\r\n",
         install_outcome::other_failure,
         "Failure [INSTALL_PARSE_FAILED_NO_CERTIFICATES: Failed to collect certificates]"},
        {"a code that only begins like a known one", "Failure [INSTALL_FAILED_OLDER_SDK_X]",
         install_outcome::other_failure, "Failure [INSTALL_FAILED_OLDER_SDK_X]"},
        {"uninstall success", "Success\r\n", install_outcome::success, ""},
        {"phone gone", "adb: device 'R58M12ABCDE' not found\r\n", install_outcome::device_missing,
         ""},
        {"no phone at all", "error: no devices/emulators found\r\n",
         install_outcome::device_missing, ""},
        {"unauthorized",
         "adb: device unauthorized.\r\nThis adb server's $ADB_VENDOR_KEYS is not set\r\n",
         install_outcome::unauthorized, ""},
        {"offline", "adb: device offline\r\n", install_outcome::offline, ""},
        {"nothing to go by", "Performing Streamed Install\r\n", install_outcome::no_answer, ""},
        {"'Success' inside a longer line is no success", "NoSuccess here\r\n",
         install_outcome::no_answer, ""},
    };
    for (const install_case& c : cases) {
        const install_answer a = read_install_answer(c.output);
        EXPECT_EQ(a.outcome, c.outcome) << c.name;
        EXPECT_EQ(a.failure, c.failure) << c.name;
    }
    EXPECT_EQ(read_install_answer("Performing Streamed Install\r\n\r\n").output,
              "Performing Streamed Install");
}

TEST(AdbInstall, ReadsTheLaunch) {
    const struct {
        const char* output;
        bool started;
    } cases[] = {
        {"  bash arg: -p\r\n  bash arg: com.x\r\nEvents injected: 1\r\n## Network stats: elapsed "
         "time=12ms\r\n",
         true},
        {"  bash arg: -p\r\n** No activities found to run, monkey aborted.\r\n", false},
        {"Events injected: 1\r\n** Error: SecurityException\r\n", false},
        {"error: device offline\r\n", false},
        {"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(app_started(c.output), c.started) << c.output;
}

TEST(AdbCommands, QuoteWhatNeedsIt) {
    const std::string adb = adb_path("C:\\Android SDK\\");
    EXPECT_EQ(adb, "C:\\Android SDK\\platform-tools\\adb.exe");
    EXPECT_EQ(list_devices_command(adb), "\"C:\\Android SDK\\platform-tools\\adb.exe\" devices -l");
    EXPECT_EQ(install_command("a.exe", "192.168.1.20:5555", "C:\\p 100%\\App12.apk"),
              "\"a.exe\" -s 192.168.1.20:5555 install -r \"C:\\p 100%%\\App12.apk\"");
    EXPECT_EQ(uninstall_command("a.exe", "R58", "com.x.notes"),
              "\"a.exe\" -s R58 uninstall com.x.notes");
    EXPECT_EQ(start_command("a.exe", "R58", "com.x.notes"),
              "\"a.exe\" -s R58 shell monkey -p com.x.notes -c android.intent.category.LAUNCHER 1");
}
