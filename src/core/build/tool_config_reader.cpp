#include "core/build/tool_config_reader.h"

#include <climits>

#include "core/build/scramble.h"
#include "core/text/text_helpers.h"
#include "platform/platform.h"

namespace build {
namespace {

std::string read_key(const std::string& file, const char* key) {
    return platform::profile_read(file, std::string(kConfigSection), key);
}

bool marker_exists(const std::string& folder, const char* marker) {
    return platform::file_exists(folder + marker) && !platform::is_directory(folder + marker);
}

int target_id_of(const std::string& value) {
    const long long n = text::leading_number(value);
    // An id too large for the record cannot name a real target.
    return (n > INT_MAX || n < INT_MIN) ? 0 : static_cast<int>(n);
}

}  // namespace

std::string resolve_ant_path(const std::string& value, const std::string& program_folder) {
    const bool has_drive = value.size() >= 3 && value.compare(1, 2, ":\\") == 0;
    const bool is_share = value.compare(0, 2, "\\\\") == 0;
    if (has_drive || is_share) return value;
    return text::with_one_trailing_backslash(program_folder) + value;
}

tool_config read_tool_config(const std::string& config_file, const std::string& program_folder) {
    tool_config config;

    const std::string jdk = read_key(config_file, "jdk_path");
    if (!jdk.empty() && marker_exists(jdk, "\\bin\\keytool.exe"))
        config.jdk_path = text::trim_spaces(jdk);

    const std::string sdk = read_key(config_file, "android_sdk_path");
    if (!sdk.empty() && marker_exists(sdk, "\\tools\\android.bat")) {
        config.android_sdk_path = text::trim_spaces(sdk);
        config.build_tools_path = text::trim_spaces(read_key(config_file, "build_tools_path"));
    } else {
        config.sdk_state = -1;
    }

    const std::string target = read_key(config_file, "api_target_id");
    if (!target.empty()) config.api_target_id = target_id_of(target);
    if (!config.android_sdk_path.empty() && config.api_target_id > 0) config.sdk_state = 1;

    const std::string ant = read_key(config_file, "ant_path");
    if (!ant.empty()) {
        const std::string resolved = resolve_ant_path(ant, program_folder);
        if (marker_exists(resolved, "\\bin\\ant.bat"))
            config.ant_path = text::trim_spaces(resolved);
    }

    const std::string keystore = read_key(config_file, "keystore_path");
    if (!keystore.empty() && marker_exists(keystore, ""))
        config.keystore_path = text::trim_spaces(keystore);
    if (config.keystore_path.empty()) {
        config.keystore_state = -1;
        return config;  // without a keystore its alias and password mean nothing
    }

    const std::string alias = read_key(config_file, "keystore_alias");
    if (!alias.empty())
        config.keystore_alias = unscramble_text(text::trim_spaces(alias), kScrambleKey);
    const std::string password = read_key(config_file, "keystore_password");
    if (!password.empty())
        config.keystore_password = unscramble_text(text::trim_spaces(password), kScrambleKey);
    if (!config.keystore_alias.empty() && !config.keystore_password.empty())
        config.keystore_state = 1;
    return config;
}

}  // namespace build
