#pragma once
// Replacing an existing keystore with a new one without ever leaving the user without a key:
// the new keystore is created under another name beside the old one, and the two swap places
// only once the new one exists and its alias checks.
#include <string>

namespace configurator {

// A name beside `path` that no file has yet: path + suffix, or with a number after it.
std::string unused_path_beside(const std::string& path, const std::string& suffix);

// Where keytool creates the keystore that is to replace `path`.
std::string staged_keystore_path(const std::string& path);

// Puts the staged keystore in the place of the old one. The old one moves aside first and is
// removed only once the new one is in place; on any failure it is back where it was, the
// staged one is left as it is, and the answer is false.
bool replace_keystore(const std::string& path, const std::string& staged);

}  // namespace configurator
