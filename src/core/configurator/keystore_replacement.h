#pragma once
// Creating a keystore without ever leaving the user without a key: over an existing keystore
// the new one is created under another name beside it, and the two swap places only once the
// new one exists and its alias checks; a new keystore that does not check is not kept.
#include <functional>
#include <string>

namespace configurator {

// A name beside `path` that no file has yet: path + suffix, or with a number after it.
std::string unused_path_beside(const std::string& path, const std::string& suffix);

// Where keytool creates the keystore that is to replace `path`.
std::string staged_keystore_path(const std::string& path);

struct keystore_swap {
    bool replaced = false;
    std::string old_left_at;  // where the old keystore is when not at its place nor removed
};
// Puts the staged keystore in the place of the old one. The old one moves aside first and is
// removed only once the new one is in place; on a failure it is moved back, and the staged one
// is left as it is.
keystore_swap replace_keystore(const std::string& path, const std::string& staged);

// What keytool and the alias check do, for make_keystore.
struct keystore_tools {
    std::function<void(const std::string& path)> generate;  // creates a keystore at path
    std::function<bool(const std::string& path)> opens;     // its alias and password fit
};

enum class keystore_made { created, read_only, not_created, not_replaced };
struct keystore_making {
    keystore_made outcome = keystore_made::not_created;
    std::string kept_as;      // not_replaced: the new keystore, which stays beside the old one
    std::string old_left_at;  // the old keystore, when it is neither at its place nor removed
    std::string left_behind;  // not_created: a file keytool left that could not be removed
};

// Creates the keystore at path; a read-only keystore is not replaced.
keystore_making make_keystore(const std::string& path, const keystore_tools& tools);

// The message for every outcome but created, which ends with the program's own words (the
// old keystore that could not be removed is named after them). tool_output is what keytool
// or the check said last.
std::string keystore_problem_text(const std::string& path, const keystore_making& making,
                                  const std::string& tool_output);
std::string keystore_created_text(const keystore_making& making);

}  // namespace configurator
