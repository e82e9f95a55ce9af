#pragma once
// The loaded project, as the main window and every project operation see it.
#include <array>
#include <string>

namespace project {

constexpr int kPermissionCount = 21;
using permission_flags = std::array<bool, kPermissionCount>;

// What the folder holds: no manifest, a plain Android project, or one built on BASIC!.
enum class kind { no_manifest, android, basic };

struct project_state {
    std::string project_folder;  // absolute, ends in exactly one backslash
    std::string app_name;        // every value whole, as it reads in the project's files
    std::string package_name;
    std::string version_name;
    std::string version_code;
    std::string min_sdk;
    std::string target_sdk;
    kind project_kind = kind::no_manifest;
    permission_flags saved_permissions{};
    bool changes_pending = false;
};

}  // namespace project
