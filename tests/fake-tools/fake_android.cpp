// Stand-in for the Android SDK's "android" tool, started by "tools\android.bat":
// "update project --name N --target ID --path P" writes the files Ant needs; "list targets"
// prints a canned list: the file named by FAKE_ANDROID_TARGETS, else "targets.txt" beside
// this program, else one Android 6.0 platform with id 1.
#include "fake_tool_support.h"

namespace {

constexpr const char* kDefaultTargets =
    "Available Android targets:\r\n"
    "----------\r\n"
    "id: 1 or \"android-23\"\r\n"
    "     Name: Android 6.0\r\n"
    "     Type: Platform\r\n"
    "     API level: 23\r\n"
    "     Revision: 3\r\n"
    "     Skins: HVGA, QVGA, WQVGA400, WQVGA432, WSVGA, WVGA800 (default), WVGA854, WXGA720, "
    "WXGA800\r\n"
    " Tag/ABIs : no ABIs.\r\n";

int list_targets() {
    std::string text;
    const std::string chosen = platform::environment_variable("FAKE_ANDROID_TARGETS");
    if (!(!chosen.empty() && platform::read_file(chosen, text)) &&
        !platform::read_file(fake::own_folder() + "targets.txt", text))
        text = kDefaultTargets;
    fake::print(text);
    return 0;
}

int update_project(const std::vector<std::string>& args) {
    const std::string name = fake::option(args, "--name");
    const std::string target = fake::option(args, "--target");
    std::string path = fake::full_path(fake::option(args, "--path"));
    if (path.back() != '\\') path += '\\';
    if (path.size() > 2 && path.substr(path.size() - 3) == "\\.\\") path.resize(path.size() - 2);
    fake::delay_from_knob("android_update_delay_ms");
    if (!platform::file_exists(path + "AndroidManifest.xml")) {
        fake::print("Error: " + path +
                    " is not a valid project (AndroidManifest.xml not found).\r\n");
        return 1;
    }
    if (target.empty() || target == "0") {
        fake::print("Error: Target id '" + target +
                    "' is not valid. Use 'android list targets' "
                    "to get the target ids.\r\n");
        return 1;
    }
    // The SDK folder is two levels above this program (tools\lib\).
    std::string sdk = fake::own_folder();
    for (int i = 0; i < 2 && sdk.size() > 1; ++i) sdk.resize(sdk.rfind('\\', sdk.size() - 2) + 1);
    platform::write_file(path + "local.properties", "sdk.dir=" + sdk + "\r\n");
    platform::write_file(path + "project.properties", "target=android-" + target + "\r\n");
    platform::write_file(path + "build.xml",
                         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<project name=\"" + name +
                             "\" default=\"help\">\r\n    <import file=\"${sdk.dir}/tools/ant/"
                             "build.xml\" />\r\n</project>\r\n");
    fake::print("Updated local.properties\r\nUpdated project.properties\r\nUpdated file " + path +
                "build.xml\r\n");
    return 0;
}

}  // namespace

int main() {
    const std::vector<std::string> args = fake::arguments();
    if (args.size() >= 2 && args[0] == "list" && args[1] == "targets") return list_targets();
    if (args.size() >= 2 && args[0] == "update" && args[1] == "project")
        return update_project(args);
    fake::print("Error: unknown command\r\n");
    return 1;
}
