#pragma once
// Reads an Android project folder into the values the main window shows. Nothing is written.
// Values are read whole and as they stand for (XML references and Android's string escapes
// decoded), so that what Apply writes back reads as the same text.
#include <string>
#include <vector>

#include "core/project/project_state.h"

namespace project {

struct loaded_project {
    project::kind kind = project::kind::no_manifest;
    std::string app_name;
    std::string package_name;
    std::string version_name;
    std::string version_code;
    std::string min_sdk;
    std::string target_sdk;
    permission_flags permissions{};
    bool has_gitignore = false;
    // A package rename whose swap was interrupted: the next Apply completes it.
    bool unfinished_rename = false;
    // Candidate icon files for the launcher icon, best density first.
    std::vector<std::string> icon_files;
};

// folder ends with one backslash. A folder without manifest gives kind 0 and nothing else.
loaded_project load_project_files(const std::string& folder);

// The project kind decided from the files in the folder (manifest present).
kind decide_kind(const std::string& folder);
// The app name a manifest's label stands for: the literal label, or the string it refers to.
std::string resolve_label(const std::string& folder, const std::string& label);
// Copies what was loaded into the project record.
void store_loaded(const loaded_project& loaded, project_state& state);

}  // namespace project
