// Stand-in for the SDK's platform-tools\adb.exe. The phones it sees and what they answer come
// from knobs ("fake-tools.txt" in the folder FAKE_ADB_FOLDER names, else in the current
// folder or the one above):
//   adb_devices=SERIAL STATE [MODEL],...   the devices and their states (none when absent)
//   adb_install=Success | CODE[: text]     what "install" ends with (Success when absent)
//   adb_install_delay=MS, adb_devices_delay=MS   a slow phone, a daemon that hangs
// Every command line is added to "adb-log.txt" in that folder, where the tests read it.
// After an uninstall, a phone that refused the APK for its key takes it.
#include "fake_tool_support.h"

namespace {

// The folder of the knobs and the log, with its trailing backslash.
std::string home() {
    std::string folder = platform::environment_variable("FAKE_ADB_FOLDER");
    if (folder.empty()) return fake::current_folder();
    if (folder.back() != '\\') folder += '\\';
    return folder;
}

std::string knob(const std::string& name) {
    return fake::knob(name, home());
}

struct phone {
    std::string serial, state, model;
};

std::vector<phone> phones() {
    std::vector<phone> out;
    const std::string listing = knob("adb_devices");
    std::size_t at = 0;
    while (at < listing.size()) {
        std::size_t end = listing.find(',', at);
        if (end == std::string::npos) end = listing.size();
        const std::string item = listing.substr(at, end - at);
        at = end + 1;
        phone p;
        const std::size_t a = item.find(' ');
        if (a == std::string::npos) continue;
        p.serial = item.substr(0, a);
        const std::size_t b = item.find(' ', a + 1);
        p.state = item.substr(a + 1, b == std::string::npos ? std::string::npos : b - a - 1);
        if (b != std::string::npos) p.model = item.substr(b + 1);
        out.push_back(p);
    }
    return out;
}

const std::string kLog = "adb-log.txt";

std::string read_log() {
    std::string log;
    platform::read_file(home() + kLog, log);
    return log;
}

void record(const std::vector<std::string>& args) {
    std::string line;
    for (const std::string& a : args) line += (line.empty() ? "" : " ") + a;
    platform::write_file(home() + kLog, read_log() + line + "\r\n");
}

int fail(const std::string& message) {
    fake::print(message + "\r\n");
    return 1;
}

int list_devices(bool first_call) {
    // The first command of a session starts the daemon, which says so.
    if (first_call)
        fake::print(
            "* daemon not running; starting now at tcp:5037\r\n* daemon started "
            "successfully\r\n");
    fake::delay_from_knob("adb_devices_delay", home());
    std::string out = "List of devices attached\r\n";
    int transport = 1;
    for (const phone& p : phones()) {
        out +=
            p.serial + std::string(p.serial.size() < 22 ? 22 - p.serial.size() : 1, ' ') + p.state;
        if (p.state == "device")
            out += " product:" + p.model + "_eea model:" + p.model + " device:" + p.model;
        out += " transport_id:" + std::to_string(transport++) + "\r\n";
    }
    fake::print(out + "\r\n");
    return 0;
}

// The phone of "-s SERIAL" in the device state; an adb complaint when there is none.
bool reachable(const std::string& serial, std::string& complaint) {
    for (const phone& p : phones()) {
        if (p.serial != serial) continue;
        if (p.state == "device") return true;
        complaint = "adb: device " + p.state;
        return false;
    }
    complaint = "adb: device '" + serial + "' not found";
    return false;
}

int install(const std::string& serial, const std::string& apk, const std::string& log) {
    std::string bytes;
    if (!platform::read_file(fake::full_path(apk), bytes))
        return fail("adb: failed to stat " + apk + ": No such file or directory");
    fake::print("Performing Streamed Install\r\n");
    fake::delay_from_knob("adb_install_delay", home());
    std::string outcome = knob("adb_install");
    if (outcome.rfind("INSTALL_FAILED_UPDATE_INCOMPATIBLE", 0) == 0 &&
        log.find("-s " + serial + " uninstall ") != std::string::npos)
        outcome = "";
    if (outcome.empty() || outcome == "Success") {
        fake::print("Success\r\n");
        return 0;
    }
    return fail("adb: failed to install " + apk + ": Failure [" + outcome + "]");
}

}  // namespace

int main() {
    const std::vector<std::string> args = fake::arguments();
    const std::string log = read_log();
    record(args);
    if (!args.empty() && args[0] == "devices") return list_devices(log.empty());
    if (args.size() < 3 || args[0] != "-s") return fail("adb: usage: unknown command");
    const std::string serial = args[1];
    std::string complaint;
    if (!reachable(serial, complaint)) return fail(complaint);
    const std::string& command = args[2];
    if (command == "install" && args.size() >= 5 && args[3] == "-r")
        return install(serial, args[4], log);
    if (command == "uninstall" && args.size() >= 4) {
        fake::print("Success\r\n");
        return 0;
    }
    if (command == "shell" && args.size() >= 5 && args[3] == "monkey") {
        fake::print(
            "  bash arg: -p\r\n  bash arg: " + fake::option(args, "-p") +
            "\r\n  bash arg: -c\r\n  bash arg: android.intent.category.LAUNCHER\r\n  bash arg: "
            "1\r\nargs: [-p, " +
            fake::option(args, "-p") +
            ", -c, android.intent.category.LAUNCHER, 1]\r\nEvents injected: 1\r\n## Network "
            "stats: elapsed time=14ms (0ms mobile, 0ms wifi, 14ms not connected)\r\n");
        return 0;
    }
    return fail("adb: unknown command " + command);
}
