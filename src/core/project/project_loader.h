#pragma once
// Reads an Android project folder into the values the main window shows. Nothing is written.
#include <string>
#include <vector>

#include "core/project/project_state.h"

namespace project {

struct loaded_project {
    int kind = kind_no_manifest;
    std::string app_name;
    std::string package_name;
    std::string version_name;
    std::string version_code;
    std::string min_sdk;
    std::string target_sdk;
    permission_flags permissions{};
    bool has_gitignore = false;
    // Candidate icon files for the launcher icon, best density first.
    std::vector<std::string> icon_files;
};

// folder ends with one backslash. A folder without manifest gives kind 0 and nothing else.
loaded_project load_project_files(const std::string& folder);

// The manifest text with the spaces around "=" removed, as both loading and applying see it.
std::string normalise_manifest(std::string text);
// The value of name="..." (first occurrence), "" when absent.
std::string attribute_value(const std::string& text, const std::string& name);
// The project kind decided from the files in the folder (manifest present).
int decide_kind(const std::string& folder);
// Copies what was loaded into the project record (cutting each value to its capacity).
void store_loaded(const loaded_project& loaded, project_state& state);

}  // namespace project
