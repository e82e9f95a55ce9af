#include "core/project/apply_changes.h"

#include "core/assets/project_layout.h"
#include "core/project/apply_commit.h"
#include "core/project/manifest_fields.h"
#include "core/project/package_rename.h"
#include "core/project/permission_block.h"
#include "core/project/permissions.h"
#include "core/project/sdk_advice.h"
#include "core/project/string_resources.h"
#include "core/text/text_helpers.h"
#include "platform/platform.h"

namespace project {
namespace {

struct field_entry {
    manifest_field field;
    bool property_changes::*changed;
    std::string project_state::*value;
};

constexpr field_entry kFields[] = {
    {manifest_field::package, &property_changes::package_name, &project_state::package_name},
    {manifest_field::version_name, &property_changes::version_name, &project_state::version_name},
    {manifest_field::version_code, &property_changes::version_code, &project_state::version_code},
    {manifest_field::min_sdk, &property_changes::min_sdk, &project_state::min_sdk},
    {manifest_field::target_sdk, &property_changes::target_sdk, &project_state::target_sdk},
};

// Gives a string element of an edited file the value; false when the file has no such element.
bool set_string(file_edit& e, std::string_view key, std::string_view value) {
    const string_element s = find_string(e.text, key);
    if (!s.found) return false;
    const std::size_t length = s.content_end - s.content_begin;
    // A value the file already says, in whatever form, stays as it is written.
    if (resource_string_value(std::string_view(e.text).substr(s.content_begin, length)) != value)
        e.text.replace(s.content_begin, length, resource_string_content(value));
    return true;
}

// The manifest's attributes, each where it stands.
void write_fields(std::string& text, const project_state& state, const property_changes& changes,
                  property_changes& applied, apply_result& result) {
    for (const field_entry& f : kFields) {
        if (!(changes.*f.changed)) continue;
        const std::string& value = state.*f.value;
        bool written = has_field(text, f.field) && field_value(text, f.field) == value;
        if (!written) text = with_field(text, f.field, value, written);
        if (written)
            applied.*f.changed = true;
        else
            result.problems.push_back(
                {apply_problem_kind::missing_place, std::string(field_attribute(f.field))});
    }
}

void write_permissions(std::string& text, const std::string& manifest_path,
                       const project_state& state, property_changes& applied,
                       apply_result& result) {
    bool placed = true;
    text = manifest_with_permissions(text, state.saved_permissions, &placed);
    if (placed)
        applied.permissions = true;
    else
        result.problems.push_back({apply_problem_kind::no_permission_place, manifest_path});
}

// The app name: a literal label, or the string resource the label names.
void write_app_name(std::string& text, file_edits& edits, const project_state& state,
                    property_changes& applied, apply_result& result) {
    const std::string label = field_value(text, manifest_field::label);
    std::string key;
    if (label_key(label, key)) {
        const label_source source = find_label_string(state.project_folder, key);
        file_edit* e = source.path.empty() ? nullptr : edit_of(edits, source.path);
        if (e && set_string(*e, key, state.app_name)) {
            applied.app_name = true;
            // BASIC! shows its run_name beside the app name, when both share the file.
            if (state.project_kind == kind::basic) set_string(*e, "run_name", state.app_name);
        } else {
            result.problems.push_back({apply_problem_kind::missing_place, label});
        }
        return;
    }
    // Escaped as Android reads it: a name starting with "@" is no reference.
    bool written =
        android_unescaped(label) == state.app_name && has_field(text, manifest_field::label);
    if (!written)
        text = with_field(text, manifest_field::label, android_escaped(state.app_name), written);
    if (written)
        applied.app_name = true;
    else
        result.problems.push_back({apply_problem_kind::missing_place, "android:label"});
}

// BASIC!'s own copy of the version: the version name padded with zeros to five characters.
void write_basic_version(file_edits& edits, const project_state& state) {
    const std::string setup = state.project_folder + assets::kSetupFile;
    if (!platform::file_exists(setup)) return;
    if (file_edit* e = edit_of(edits, setup))
        set_string(*e, "version", text::left_pad_zeros(state.version_name, 5));
}

}  // namespace

bool property_changes::any() const {
    return app_name || package_name || version_name || version_code || min_sdk || target_sdk ||
           permissions;
}

property_changes changes_between(const project_state& before, const project_state& after) {
    property_changes c;
    c.app_name = before.app_name != after.app_name;
    c.package_name = before.package_name != after.package_name;
    c.version_name = before.version_name != after.version_name;
    c.version_code = before.version_code != after.version_code;
    c.min_sdk = before.min_sdk != after.min_sdk;
    c.target_sdk = before.target_sdk != after.target_sdk;
    c.permissions = before.saved_permissions != after.saved_permissions;
    return c;
}

apply_result apply_project_changes(const project_state& state, const property_changes& changes,
                                   const assets::progress_callback& progress) {
    apply_result result;
    const std::string& folder = state.project_folder;
    const auto finish = [&result, &folder]() -> apply_result& {
        result.reloaded = load_project_files(folder);
        return result;
    };
    if ((changes.min_sdk || changes.target_sdk) &&
        !sdk_levels_problem(state.min_sdk, state.target_sdk).empty()) {
        result.problems.push_back(
            {apply_problem_kind::sdk_levels, sdk_levels_problem(state.min_sdk, state.target_sdk)});
        return finish();
    }
    if (!complete_unfinished_rename(folder, result, progress)) return finish();

    const std::string manifest_path = folder + assets::kManifestFile;
    file_edits edits;
    if (!edit_of(edits, manifest_path)) {
        result.problems.push_back({apply_problem_kind::unreadable, manifest_path});
        return finish();
    }
    std::string text = edit_of(edits, manifest_path)->text;
    const std::string old_package = field_value(text, manifest_field::package);
    const bool rename = changes.package_name && state.package_name != old_package;
    if (rename && !is_valid_package_name(state.package_name)) {
        result.problems.push_back({apply_problem_kind::invalid_package, state.package_name});
        return finish();
    }
    property_changes applied;
    write_fields(text, state, changes, applied, result);
    if (changes.permissions) write_permissions(text, manifest_path, state, applied, result);
    if (changes.app_name) write_app_name(text, edits, state, applied, result);
    if (changes.version_name && state.project_kind == kind::basic)
        write_basic_version(edits, state);
    edit_of(edits, manifest_path)->text = text;

    // The rename is planned before anything is written: a file in its way stops everything.
    rename_plan plan;
    const bool move_sources = rename && is_valid_package_name(old_package);
    if (move_sources) {
        plan =
            plan_package_rename(folder, old_package, state.package_name, edits, nullptr, progress);
        if (rename_refused(plan, result)) return finish();
    }
    const file_edit& manifest = *edit_of(edits, manifest_path);
    const bool manifest_changed = manifest.text != manifest.original;
    if (!commit_changes(folder, edits, move_sources ? &plan : nullptr, result, progress))
        return finish();
    result.applied = applied;
    result.manifest_changed = manifest_changed;
    result.package_renamed = move_sources;
    if (manifest_changed) assets::delete_folder_tree(folder + assets::kWorkFolder, progress);
    return finish();
}

}  // namespace project
