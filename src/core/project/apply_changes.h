#pragma once
// Brings the project files in line with what the user changed in the project record: the
// manifest's attributes and permission elements, the app name (a literal label or the string
// resource the label names), BASIC!'s settings (run_name, version), and a package rename across
// the sources. Only the values the user changed are written, each in place: every other byte
// of every file stays as it was. All files change together: each new text is staged beside
// its file first, and the files are swapped in only when every one is ready.
#include <string>
#include <vector>

#include "core/assets/file_tree.h"
#include "core/project/project_loader.h"
#include "core/project/project_state.h"

namespace project {

// Which properties of the record the user changed.
struct property_changes {
    bool app_name = false;
    bool package_name = false;
    bool version_name = false;
    bool version_code = false;
    bool min_sdk = false;
    bool target_sdk = false;
    bool permissions = false;
    bool any() const;
};
// The properties whose values differ between two records.
property_changes changes_between(const project_state& before, const project_state& after);

enum class apply_problem_kind {
    unreadable,       // the manifest or a source to rename could not be read: nothing was applied
    invalid_package,  // the new package name cannot be a package: nothing was applied
    sdk_levels,       // the min SDK is above the target SDK (path: the reason): nothing applied
    in_the_way,       // another file stands where a moved file must go: nothing was applied
    behind_a_link,    // a folder on the way is a link out of the project: nothing was applied
    not_written,      // the files could not be prepared: nothing was applied
    interrupted,      // the swap stopped at this file: see the changed and unchanged files
    stale,            // a moved file's old copy could not be removed
    missing_place,    // the value has no place in the files (its element or string is missing)
    no_permission_place,  // the permission elements have no safe place in the manifest
};

struct apply_problem {
    apply_problem_kind kind;
    std::string path;  // the file concerned (for missing_place: what is missing)
};

struct apply_result {
    property_changes applied;  // the files now hold these values as asked
    bool manifest_changed = false;
    bool package_renamed = false;
    bool rename_completed = false;  // an interrupted rename was completed first
    std::size_t files_moved = 0;
    std::vector<std::string> changed_files;    // every file written, moved or swapped in
    std::vector<std::string> unchanged_files;  // after an interrupted swap: what it did not reach
    std::vector<apply_problem> problems;
    loaded_project reloaded;  // the project as its files now read

    bool succeeded() const { return problems.empty(); }
};

// Writes the changed values of the record (the permission choice is its saved_permissions)
// into the project's files, first completing a rename that an earlier Apply left unfinished.
// progress is called during the long file walks.
apply_result apply_project_changes(const project_state& state, const property_changes& changes,
                                   const assets::progress_callback& progress = {});

}  // namespace project
