#pragma once
// The loaded project, as the main window and every project operation see it.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace project {

constexpr int kPermissionCount = 21;
using permission_flags = std::array<bool, kPermissionCount>;

enum project_kind_value : int { kind_no_manifest = 0, kind_android = 1, kind_basic = 2 };

// Field capacities of the project record; a longer value is cut when it is stored.
constexpr std::size_t kFolderCapacity = 259;
constexpr std::size_t kNameCapacity = 259;
constexpr std::size_t kVersionCapacity = 10;
constexpr std::size_t kSdkCapacity = 2;

struct project_state {
    std::string project_folder;  // absolute, ends in exactly one backslash
    std::string app_name;
    std::string package_name;
    std::string version_name;
    std::string version_code;
    std::string min_sdk;
    std::string target_sdk;
    int project_kind = kind_no_manifest;
    permission_flags saved_permissions{};
    bool changes_pending = false;
};

// The value cut to a capacity in bytes, never in the middle of a UTF-8 character.
std::string capped(std::string_view value, std::size_t capacity);

}  // namespace project
