#include "core/configurator/configurator_config.h"

#include <climits>

#include "core/build/scramble.h"
#include "core/build/tool_config_reader.h"
#include "core/build/tool_config_writer.h"
#include "core/text/text_helpers.h"
#include "platform/platform.h"

namespace configurator {
namespace {

std::string read_key(const std::string& file, const char* key) {
    return platform::profile_read(file, std::string(build::kConfigSection), key);
}

bool marker_exists(const std::string& path) {
    return platform::file_exists(path) && !platform::is_directory(path);
}

}  // namespace

build::tool_config read_configurator_config(const std::string& config_file,
                                            const detection_places& places) {
    build::tool_config config;  // both states start at 0

    const std::string jdk = read_key(config_file, "jdk_path");
    if (!jdk.empty() && marker_exists(jdk + "\\bin\\keytool.exe"))
        config.jdk_path = text::trim_spaces(jdk);
    else
        config.jdk_path = detect_jdk(places);

    const std::string sdk = read_key(config_file, "android_sdk_path");
    if (!sdk.empty() && marker_exists(sdk + "\\tools\\android.bat"))
        config.android_sdk_path = text::trim_spaces(sdk);
    else
        config.android_sdk_path = detect_android_sdk(places);
    if (config.android_sdk_path.empty()) config.sdk_state = -1;

    const std::string target = read_key(config_file, "api_target_id");
    if (!target.empty()) {
        const long long id = rounded_number(target);
        config.api_target_id = (id > INT_MAX || id < INT_MIN) ? 0 : static_cast<int>(id);
    }

    const std::string ant = read_key(config_file, "ant_path");
    if (ant.empty()) {
        config.ant_path = detect_ant(places);
    } else {
        // A value that names no Ant stays empty: the user sees the section red and decides.
        const std::string resolved = build::resolve_ant_path(ant, places.program_folder);
        if (marker_exists(resolved + "\\bin\\ant.bat"))
            config.ant_path = text::trim_spaces(resolved);
    }

    const std::string keystore = read_key(config_file, "keystore_path");
    if (!keystore.empty() && marker_exists(keystore))
        config.keystore_path = text::trim_spaces(keystore);
    if (config.keystore_path.empty()) {
        config.keystore_state = -1;
        return config;
    }
    const std::string alias = read_key(config_file, "keystore_alias");
    if (!alias.empty())
        config.keystore_alias =
            build::unscramble_text(text::trim_spaces(alias), build::kScrambleKey);
    const std::string password = read_key(config_file, "keystore_password");
    if (!password.empty())
        config.keystore_password =
            build::unscramble_text(text::trim_spaces(password), build::kScrambleKey);
    return config;
}

bool write_configurator_config(const std::string& config_file, const build::tool_config& config,
                               const std::vector<api_target>& targets) {
    std::string description;
    if (!config.android_sdk_path.empty() && config.api_target_id != 0) {
        if (const api_target* chosen = find_target(targets, config.api_target_id))
            description = chosen->description;
    }
    return build::write_tool_config(config_file, config, description);
}

std::string config_not_saved_text(const std::string& config_file) {
    return "\"" + config_file +
           "\"\rThe configuration could not be saved in this file (it is read-only, in use by "
           "another program, or the disk is full): the file keeps what it held before.";
}

}  // namespace configurator
