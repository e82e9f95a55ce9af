// Lays out the stand-in build tools like the real JDK, Android SDK and Apache Ant, with a
// stand-in keystore, and optionally writes a complete tool configuration that points at them:
//     fake_toolchain.exe TOOLCHAIN_FOLDER [PROGRAM_FOLDER]
// The stand-in programs are taken from this program's own folder.
#include "core/build/tool_config_writer.h"
#include "fake_keystore.h"
#include "fake_tool_support.h"

namespace {

constexpr const char* kBuildToolsVersion = "23.0.3";
constexpr const char* kTargetDescription = "Android 6.0 (API  23)";

// A batch stand-in that hands its arguments to a program beside it.
std::string forwarding_batch(const std::string& program) {
    return "@echo off\r\n\"%~dp0" + program + "\" %*\r\n";
}

struct placed_file {
    const char* program;  // built stand-in in this program's folder
    std::string target;   // place in the toolchain
};

}  // namespace

int main() {
    const std::vector<std::string> args = fake::arguments();
    if (args.empty()) {
        fake::print("usage: fake_toolchain TOOLCHAIN_FOLDER [PROGRAM_FOLDER]\r\n");
        return 2;
    }
    std::string root = args[0];
    while (!root.empty() && root.back() == '\\') root.pop_back();
    const std::string jdk = root + "\\jdk";
    const std::string sdk = root + "\\sdk";
    const std::string build_tools = sdk + "\\build-tools\\" + kBuildToolsVersion;
    const std::string ant = root + "\\ant";

    const placed_file programs[] = {
        {"keytool.exe", jdk + "\\bin\\keytool.exe"},
        {"javac.exe", jdk + "\\bin\\javac.exe"},
        {"fake_android.exe", sdk + "\\tools\\lib\\fake_android.exe"},
        {"zipalign.exe", build_tools + "\\zipalign.exe"},
        {"fake_apksigner.exe", build_tools + "\\lib\\fake_apksigner.exe"},
        {"fake_ant.exe", ant + "\\lib\\fake_ant.exe"},
        {"adb.exe", sdk + "\\platform-tools\\adb.exe"},
    };
    bool ok = true;
    for (const placed_file& p : programs) {
        platform::make_directories(p.target.substr(0, p.target.rfind('\\')));
        if (!platform::copy_file(fake::own_folder() + p.program, p.target)) {
            fake::print(std::string("cannot place ") + p.program + " at " + p.target + "\r\n");
            ok = false;
        }
    }
    const placed_file batches[] = {
        {"lib\\fake_android.exe", sdk + "\\tools\\android.bat"},
        {"lib\\fake_apksigner.exe", build_tools + "\\apksigner.bat"},
        {"..\\lib\\fake_ant.exe", ant + "\\bin\\ant.bat"},
    };
    for (const placed_file& b : batches) {
        platform::make_directories(b.target.substr(0, b.target.rfind('\\')));
        if (!platform::write_file(b.target, forwarding_batch(b.program))) {
            fake::print("cannot write " + b.target + "\r\n");
            ok = false;
        }
    }

    // What the real installations say of their versions: a JDK 8, the SDK Tools 25.2.5.
    ok = platform::write_file(jdk + "\\release", "JAVA_VERSION=\"1.8.0_202\"\r\n") && ok;
    ok = platform::write_file(sdk + "\\tools\\source.properties",
                              "Pkg.Desc=Android SDK Tools\r\nPkg.Revision=25.2.5\r\n") &&
         ok;
    // The build-tools hold the dex compiler the Ant scripts take; Ant names its version.
    ok = platform::write_file(build_tools + "\\lib\\dx.jar", "") && ok;
    ok = platform::write_file(build_tools + "\\source.properties",
                              std::string("Pkg.Revision=") + kBuildToolsVersion + "\r\n") &&
         ok;
    ok =
        platform::write_file(ant + "\\WHATSNEW", "Changes from Ant 1.9.15 TO Ant 1.9.16\r\n") && ok;

    const std::string keystore_file = root + "\\release.keystore";
    fake::keystore ks;
    ks.store_password = "demo-pass";
    ks.keys.push_back({"demo", "demo-pass"});
    ok = fake::write_keystore(keystore_file, ks) && ok;

    if (args.size() >= 2) {
        std::string program_folder = args[1];
        while (!program_folder.empty() && program_folder.back() == '\\') program_folder.pop_back();
        const std::string config_file = program_folder + "\\Vexlo.cfg";
        platform::remove_file(config_file);
        build::tool_config config;
        config.jdk_path = jdk;
        config.android_sdk_path = sdk;
        config.api_target_id = 1;
        config.ant_path = ant;
        config.keystore_path = keystore_file;
        config.keystore_alias = "demo";
        config.keystore_password = "demo-pass";
        ok = build::write_tool_config(config_file, config, kTargetDescription) && ok;
        if (ok) fake::print("wrote " + config_file + "\r\n");
    }
    if (ok) fake::print("fake toolchain ready in " + root + "\r\n");
    return ok ? 0 : 1;
}
