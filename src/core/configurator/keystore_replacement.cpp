#include "core/configurator/keystore_replacement.h"

#include "platform/platform.h"

namespace configurator {

std::string unused_path_beside(const std::string& path, const std::string& suffix) {
    std::string candidate = path + suffix;
    for (int n = 2; platform::file_exists(candidate); ++n)
        candidate = path + suffix + "-" + std::to_string(n);
    return candidate;
}

std::string staged_keystore_path(const std::string& path) {
    return unused_path_beside(path, ".new");
}

bool replace_keystore(const std::string& path, const std::string& staged) {
    const std::string aside = unused_path_beside(path, ".old");
    if (!platform::move_file(path, aside)) return false;
    if (!platform::move_file(staged, path)) {
        platform::move_file(aside, path);
        return false;
    }
    platform::remove_file(aside);
    return true;
}

}  // namespace configurator
