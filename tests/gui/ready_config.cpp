#include "gui/ready_config.h"

#include "core/build/tool_config.h"
#include "core/build/tool_config_writer.h"
#include "gui/gui_driver.h"
#include "platform/platform.h"

namespace gui {

namespace {
void touch(const std::string& file) {
    platform::make_directories(file.substr(0, file.find_last_of('\\')));
    platform::write_file(file, "");
}
std::string config_file() {
    return bin_folder() + "Vexlo.cfg";
}
}  // namespace

std::string write_ready_config(const std::string& folder) {
    build::tool_config values;
    values.jdk_path = folder + "jdk";
    values.android_sdk_path = folder + "sdk";
    values.ant_path = folder + "ant";
    values.keystore_path = folder + "release.keystore";
    values.keystore_alias = "demo";
    values.keystore_password = "demo-pass";
    values.api_target_id = 1;
    touch(values.jdk_path + "\\bin\\keytool.exe");
    touch(values.android_sdk_path + "\\tools\\android.bat");
    platform::make_directories(values.android_sdk_path + "\\build-tools\\23.0.3");
    touch(values.ant_path + "\\bin\\ant.bat");
    touch(values.keystore_path);
    remove_config();
    build::write_tool_config(config_file(), values, "Android 6.0 (API 23)");
    return config_file();
}

void remove_config() {
    platform::remove_file(config_file());
}

}  // namespace gui
