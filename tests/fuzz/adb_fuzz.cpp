// What adb prints, read back: the device list and the install answer. Every device read has a
// serial without blanks, a state adb writes and a model without blanks; the line ends do not
// matter (LF, CR LF and CR CR LF read alike); an answer carries a failure exactly when its
// outcome is a refusal of the phone, and every outcome but success has a message that says
// what happened; what a compile offers matches the devices that are ready.
#include <set>
#include <string>

#include "core/device/adb_devices.h"
#include "core/device/adb_install.h"
#include "core/device/install_messages.h"
#include "core/device/install_offer.h"
#include "core/text/text_helpers.h"
#include "fuzz_support.h"

using namespace device;

namespace {

bool has_blank(const std::string& s) {
    return s.find_first_of(" \t\r\n") != std::string::npos;
}

bool same(const std::vector<adb_device>& a, const std::vector<adb_device>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].serial != b[i].serial || a[i].state != b[i].state || a[i].model != b[i].model)
            return false;
    return true;
}

bool refusal(install_outcome o) {
    switch (o) {
        case install_outcome::update_incompatible:
        case install_outcome::deprecated_sdk:
        case install_outcome::version_downgrade:
        case install_outcome::insufficient_storage:
        case install_outcome::older_sdk:
        case install_outcome::other_failure: return true;
        default: return false;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view output = fuzz::as_text(data, size);
    const std::vector<adb_device> devices = read_device_list(output);
    static const std::set<std::string> states = {
        "device", "unauthorized", "offline",    "bootloader", "recovery", "sideload",
        "host",   "authorizing",  "connecting", "rescue",     "unknown",  "no permissions"};
    for (const adb_device& d : devices) {
        fuzz::check(!d.serial.empty() && !has_blank(d.serial), "serial out of form", d.serial);
        fuzz::check(states.count(d.state) == 1, "state adb never writes", d.state);
        fuzz::check(!has_blank(d.model), "model with a blank", d.model);
    }
    if (output.find('\r') == std::string_view::npos) {
        fuzz::check(same(devices, read_device_list(text::replace_text(output, "\n", "\r\n"))),
                    "CR LF output reads otherwise");
        fuzz::check(same(devices, read_device_list(text::replace_text(output, "\n", "\r\r\n"))),
                    "CR CR LF output reads otherwise");
    }

    const install_offer offer = offer_for(devices, {});
    std::size_t ready = 0;
    for (const adb_device& d : devices) ready += d.state == "device";
    fuzz::check(offer.ready.size() == ready, "ready devices miscounted");
    fuzz::check((offer.kind == offer_kind::ask_one) == (ready == 1), "one phone, no question");
    fuzz::check((offer.kind == offer_kind::choose) == (ready > 1), "several phones, no choice");
    fuzz::check((offer.kind == offer_kind::tell) == !offer.message.empty(), "a word for nothing");
    // What has been told is not told again.
    std::set<std::string> told(offer.told.begin(), offer.told.end());
    fuzz::check(offer_for(devices, told).kind != offer_kind::tell, "told twice");

    const install_answer answer = read_install_answer(output);
    fuzz::check(refusal(answer.outcome) == !answer.failure.empty(), "failure and outcome differ",
                answer.failure);
    if (!answer.failure.empty())
        fuzz::check(answer.failure.starts_with("Failure [") &&
                        answer.failure.find('\n') == std::string::npos,
                    "failure out of form", answer.failure);
    const app_facts app{"App", "com.x", "1", "9", "23"};
    const adb_device phone{"PX7", "device", "Pixel_7"};
    const std::string message = install_failure_message(answer, app, phone);
    fuzz::check((answer.outcome == install_outcome::success) == message.empty(),
                "an outcome without a message");
    app_started(output);
    return 0;
}
