#pragma once
// Brings the project files in line with the project record when the user applies changes:
// the manifest's attributes and permission elements, the app name in the label's string
// resource, the BASIC! settings (run_name, version), and a package rename across the sources.
// The old values are read back from the files themselves. No file is ever lost: each rewritten
// file replaces the old one only once it is completely written, and a moved file leaves its old
// place only after it stands at the new one.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/assets/file_tree.h"
#include "core/project/project_state.h"

namespace project {

enum class apply_problem_kind {
    unreadable,       // the file could not be read (for the manifest: nothing was applied)
    unwritable,       // the file could not be written; it keeps its previous contents
    not_moved,        // the file could not be moved to the new package folder; it stays
    in_the_way,       // another file stands where a moved file must go; nothing was applied
    invalid_package,  // the new package name cannot be a package; nothing was applied
    no_manifest_tag,  // no manifest start tag to put the permission elements after
};

struct apply_problem {
    apply_problem_kind kind;
    std::string path;  // the file concerned (the new name for an invalid package name)
};

struct apply_result {
    bool manifest_changed = false;  // attributes, permissions or a literal label
    bool permissions_changed = false;
    bool label_changed = false;  // the string resource that holds the app name
    bool run_name_changed = false;
    bool basic_version_changed = false;
    bool package_renamed = false;
    std::string old_package;
    // The app name as it now stands in the files: characters that XML cannot hold as they are
    // ("&" that starts no entity, "<", and a double quote in an attribute) become entities.
    std::string app_name_written;
    std::size_t files_rewritten = 0;  // files whose text changed (the manifest included)
    std::size_t files_moved = 0;      // files moved into the new package folder
    std::vector<apply_problem> problems;

    bool succeeded() const { return problems.empty(); }
};

// Writes the values of the record (the permission choice is its saved_permissions) into the
// project's files. Called only when at least one value or the permission choice changed.
// progress is called during the long file walks of a package rename.
apply_result apply_project_changes(const project_state& state,
                                   const assets::progress_callback& progress = {});

// The problems as lines for the user, joined with CR; "" when there are none.
std::string problems_text(const apply_result& result);

// ---- the pieces, for the tests -------------------------------------------------------------

// The manifest with the elements of the table permissions replaced by the block for the chosen
// ones. Everything else stays byte for byte; elements inside XML comments are left alone. The
// block goes where the first removed element stood, or after the line of the manifest start
// tag when there was none. Sets placed to false when the block had nowhere to go.
std::string manifest_with_permissions(std::string_view manifest, const permission_flags& chosen,
                                      bool* placed = nullptr);

// Every whole-name occurrence of the old package replaced by the new one: the character before
// is not a letter, digit, "_", "$" or ".", the character after not a letter, digit, "_" or
// "$". Text that already reads as the new name is left alone.
std::string renamed_package_text(std::string_view text, std::string_view old_package,
                                 std::string_view new_package);

// Dot-separated parts, each made of letters, digits, "_" and "$" (no path characters).
bool is_valid_package_name(std::string_view name);

// The value with "&" that starts no entity or character reference, "<", and (in an attribute)
// the double quote written as entities; everything else unchanged.
std::string xml_escaped(std::string_view value, bool in_attribute);

}  // namespace project
