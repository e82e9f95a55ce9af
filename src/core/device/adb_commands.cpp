#include "core/device/adb_commands.h"

#include "core/build/batch_escaping.h"
#include "core/text/text_helpers.h"

namespace device {

namespace {

std::string arg(std::string_view value) {
    return build::program_argument(value);
}

// The program itself always quoted: a path with a space would otherwise end at the space.
std::string program(std::string_view adb) {
    std::string quoted(1, '"');
    quoted += build::double_percent(adb);
    quoted += '"';
    return quoted;
}

std::string on_device(std::string_view adb, std::string_view serial) {
    return program(adb) + " -s " + arg(serial);
}

}  // namespace

std::string adb_path(std::string_view sdk_folder) {
    return text::with_one_trailing_backslash(sdk_folder) + "platform-tools\\adb.exe";
}

std::string list_devices_command(std::string_view adb) {
    return program(adb) + " devices -l";
}

std::string install_command(std::string_view adb, std::string_view serial, std::string_view apk) {
    return on_device(adb, serial) + " install -r \"" + build::double_percent(apk) + "\"";
}

std::string uninstall_command(std::string_view adb, std::string_view serial,
                              std::string_view package) {
    return on_device(adb, serial) + " uninstall " + arg(package);
}

std::string start_command(std::string_view adb, std::string_view serial, std::string_view package) {
    return on_device(adb, serial) + " shell monkey -p " + arg(package) +
           " -c android.intent.category.LAUNCHER 1";
}

}  // namespace device
