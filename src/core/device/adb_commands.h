#pragma once
// The command lines that drive adb through the command runner (lines that do not begin with
// "call": every value is a program argument, quoted and escaped as it needs).
#include <string>
#include <string_view>

namespace device {

// Where the SDK keeps adb.
std::string adb_path(std::string_view sdk_folder);

std::string list_devices_command(std::string_view adb);
std::string install_command(std::string_view adb, std::string_view serial, std::string_view apk);
std::string uninstall_command(std::string_view adb, std::string_view serial,
                              std::string_view package);
// Starts the app's launcher activity. The monkey tool resolves it on the phone the way the
// home screen does, from the package alone; "am start -n" would need the activity's name,
// which a project may declare through an alias or under another package, and a name read
// wrongly from the manifest would fail where the launcher does not.
std::string start_command(std::string_view adb, std::string_view serial, std::string_view package);

}  // namespace device
