// What a successful compile offers once the connected devices are known, and which failure
// text each install outcome leads to.
#include <gtest/gtest.h>

#include "core/device/install_messages.h"
#include "core/device/install_offer.h"

using namespace device;

namespace {

const adb_device kPixel{"PX7", "device", "Pixel_7"};
const adb_device kTablet{"TB1", "device", ""};
const adb_device kLocked{"1A2B3C", "unauthorized", ""};
const adb_device kAsleep{"192.168.1.20:5555", "offline", ""};
const adb_device kPassing{"EMU", "authorizing", ""};

struct offer_case {
    const char* name;
    std::vector<adb_device> devices;
    std::set<std::string> told;
    offer_kind kind;
    std::size_t ready;
    std::vector<std::string> in_message;  // parts the text must hold
    std::size_t newly_told;
};

}  // namespace

TEST(InstallOffer, AsksOnlyWhatTheDevicesAllow) {
    const std::vector<offer_case> cases = {
        {"no device", {}, {}, offer_kind::nothing, 0, {}, 0},
        {"one phone", {kPixel}, {}, offer_kind::ask_one, 1, {}, 0},
        {"one ready beside one locked: the ready one is asked about",
         {kLocked, kPixel},
         {},
         offer_kind::ask_one,
         1,
         {},
         0},
        {"two ready", {kPixel, kLocked, kTablet}, {}, offer_kind::choose, 2, {}, 0},
        {"locked phone", {kLocked}, {}, offer_kind::tell, 0, {"1A2B3C", "Allow USB debugging?"}, 1},
        {"locked and asleep, both named",
         {kLocked, kAsleep},
         {},
         offer_kind::tell,
         0,
         {"1A2B3C", "192.168.1.20:5555", "offline"},
         2},
        {"told once already", {kLocked}, {told_key(kLocked)}, offer_kind::nothing, 0, {}, 0},
        {"told of the locked one, not of the asleep one",
         {kLocked, kAsleep},
         {told_key(kLocked)},
         offer_kind::tell,
         0,
         {"192.168.1.20:5555"},
         1},
        {"a state that only passes is not worth a word",
         {kPassing},
         {},
         offer_kind::nothing,
         0,
         {},
         0},
    };
    for (const offer_case& c : cases) {
        const install_offer o = offer_for(c.devices, c.told);
        EXPECT_EQ(o.kind, c.kind) << c.name;
        EXPECT_EQ(o.ready.size(), c.ready) << c.name;
        EXPECT_EQ(o.told.size(), c.newly_told) << c.name;
        for (const std::string& part : c.in_message)
            EXPECT_NE(o.message.find(part), std::string::npos) << c.name << ": " << o.message;
        if (c.kind != offer_kind::tell) {
            EXPECT_EQ(o.message, "") << c.name;
        }
    }
    // The told one is named no more.
    EXPECT_EQ(offer_for({kLocked, kAsleep}, {told_key(kLocked)}).message.find("1A2B3C"),
              std::string::npos);
}

TEST(InstallOffer, EachFailureSaysWhatToDo) {
    const app_facts app{"Caf\xC3\xA9 Notes ", "com.x.notes", "12", "21", "19"};
    const struct {
        const char* output;
        std::string part;
    } cases[] = {
        {"Failure [INSTALL_FAILED_UPDATE_INCOMPATIBLE: sigs]", "signed with another key"},
        {"Failure [INSTALL_FAILED_DEPRECATED_SDK_VERSION: App package must target at least SDK "
         "version 23, but found 19]",
         "target SDK (19) is too low"},
        {"Failure [INSTALL_FAILED_VERSION_DOWNGRADE]", "version code 12"},
        {"Failure [INSTALL_FAILED_INSUFFICIENT_STORAGE]", "Free some space"},
        {"Failure [INSTALL_FAILED_OLDER_SDK]", "min SDK (21)"},
        {"adb: failed to install x.apk: Failure [INSTALL_FAILED_NO_MATCHING_ABIS: abi]",
         "\rFailure [INSTALL_FAILED_NO_MATCHING_ABIS: abi]"},
        {"adb: device 'PX7' not found", "no longer connected"},
        {"adb: device unauthorized.", "Allow USB debugging?"},
        {"adb: device offline", "offline"},
        {"Performing Streamed Install\r\nsomething unheard of\r\n", "\rsomething unheard of"},
    };
    for (const auto& c : cases) {
        const std::string m = install_failure_message(read_install_answer(c.output), app, kPixel);
        EXPECT_EQ(m.rfind("The APK could not be installed on Pixel 7 (serial PX7).\r\r", 0), 0u)
            << m;
        EXPECT_NE(m.find(c.part), std::string::npos) << m;
    }
    EXPECT_EQ(
        install_question(app, kPixel),
        "A phone is connected: Pixel 7 (serial PX7).\r\rInstall Caf\xC3\xA9 Notes on it now ?");
    EXPECT_NE(uninstall_question(app, kPixel).find("is lost"), std::string::npos);
}
