#include "core/configurator/keystore_replacement.h"

#include "core/configurator/keystore_creation.h"
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

keystore_swap replace_keystore(const std::string& path, const std::string& staged) {
    keystore_swap swap;
    const std::string aside = unused_path_beside(path, ".old");
    if (!platform::move_file(path, aside)) return swap;
    if (!platform::move_file(staged, path)) {
        if (!platform::move_file(aside, path)) swap.old_left_at = aside;
        return swap;
    }
    swap.replaced = true;
    if (!platform::remove_file(aside)) swap.old_left_at = aside;
    return swap;
}

keystore_making make_keystore(const std::string& path, const keystore_tools& tools) {
    keystore_making making;
    const bool replacing = platform::file_exists(path);
    if (replacing && platform::is_read_only(path)) {
        making.outcome = keystore_made::read_only;
        return making;
    }
    // A keystore is checked even where none stood before: keytool may leave half a file when
    // the disk fills up, and that must not pass for a key.
    const std::string created = replacing ? staged_keystore_path(path) : path;
    tools.generate(created);
    if (!platform::file_exists(created)) return making;
    if (!tools.opens(created)) {
        if (!platform::remove_file(created)) making.left_behind = created;
        return making;
    }
    if (replacing) {
        const keystore_swap swap = replace_keystore(path, created);
        making.old_left_at = swap.old_left_at;
        if (!swap.replaced) {
            making.outcome = keystore_made::not_replaced;
            making.kept_as = created;
            return making;
        }
    }
    making.outcome = keystore_made::created;
    return making;
}

std::string keystore_problem_text(const std::string& path, const keystore_making& making,
                                  const std::string& tool_output) {
    switch (making.outcome) {
        case keystore_made::read_only:
            return path + "\rThis keystore is read-only: it has not been replaced.";
        case keystore_made::not_created: {
            std::string text = creation_failed_text(path, tool_output);
            if (!making.left_behind.empty())
                text += "\rA damaged file could not be removed: " + making.left_behind;
            return text;
        }
        case keystore_made::not_replaced:
            if (making.old_left_at.empty()) return replace_failed_text(path, making.kept_as);
            return path +
                   "\rThis file could not be replaced, and the old keystore could not be "
                   "put back: it is now " +
                   making.old_left_at + "\rYour new keystore is kept as " + making.kept_as;
        case keystore_made::created: break;
    }
    return "";
}

std::string keystore_created_text(const keystore_making& making) {
    std::string text(kKeystoreCreated);
    if (!making.old_left_at.empty())
        text += "\rThe old keystore could not be removed: it is kept as " + making.old_left_at;
    return text;
}

}  // namespace configurator
