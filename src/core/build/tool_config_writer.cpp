#include "core/build/tool_config_writer.h"

#include <algorithm>
#include <vector>

#include "core/build/scramble.h"
#include "core/text/text_helpers.h"
#include "platform/platform.h"

namespace build {
namespace {

bool less_ignoring_case(const std::string& a, const std::string& b) {
    return text::to_lower_ascii(a) < text::to_lower_ascii(b);
}

}  // namespace

std::string api_level_of(std::string_view target_description) {
    static constexpr std::string_view kMarker = "(API ";
    const std::size_t at = target_description.find(kMarker);
    if (at == std::string_view::npos) return "";
    const std::size_t from = at + kMarker.size();
    const std::size_t close = target_description.find(')', from);
    if (close == std::string_view::npos) return "";
    return text::trim_spaces(target_description.substr(from, close - from));
}

std::string build_tools_folder_for(const std::string& sdk_path, std::string_view api_level) {
    const std::string parent = sdk_path + "\\build-tools\\";
    std::vector<platform::dir_entry> entries;
    std::vector<std::string> matches;
    if (platform::list_directory(parent, entries)) {
        for (const platform::dir_entry& e : entries)
            if (e.is_directory && text::starts_with(e.name, api_level)) matches.push_back(e.name);
    }
    // The file system's own order differs between systems; name order is the one Windows
    // shows, so the choice does not depend on where the folders were made.
    if (matches.empty()) return parent;
    return parent + *std::min_element(matches.begin(), matches.end(), less_ignoring_case);
}

bool write_tool_config(const std::string& config_file, const tool_config& values,
                       std::string_view target_description) {
    // A file marked read-only is not to be rewritten, whatever the file system would allow.
    if (platform::is_read_only(config_file)) return false;
    // One rewrite of the file for every key: a failure leaves the old configuration whole.
    std::vector<std::pair<std::string, std::string>> keys;
    auto put = [&keys](const char* key, const std::string& value) {
        keys.emplace_back(key, value);
    };

    if (!values.jdk_path.empty()) put("jdk_path", values.jdk_path);
    if (!values.android_sdk_path.empty()) {
        put("android_sdk_path", values.android_sdk_path);
        if (values.api_target_id > 0) put("api_target_id", std::to_string(values.api_target_id));
        if (!target_description.empty()) {
            const std::string level = api_level_of(target_description);
            put("build_tools_path", build_tools_folder_for(values.android_sdk_path, level));
        }
    }
    if (!values.ant_path.empty()) put("ant_path", values.ant_path);
    if (!values.keystore_path.empty()) put("keystore_path", values.keystore_path);
    put("keystore_alias", scramble_text(values.keystore_alias, kScrambleKey));
    put("keystore_password", scramble_text(values.keystore_password, kScrambleKey));
    return platform::profile_write_values(config_file, std::string(kConfigSection), keys);
}

}  // namespace build
