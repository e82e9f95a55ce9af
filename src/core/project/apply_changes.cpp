#include "core/project/apply_changes.h"

#include "core/assets/file_transaction.h"
#include "core/assets/project_paths.h"
#include "core/project/manifest_fields.h"
#include "core/project/package_rename.h"
#include "core/project/permission_block.h"
#include "core/project/permissions.h"
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

// Stages and swaps in the edited files and the rename's moves together. False, with the
// problem noted, when not everything was done.
bool commit(const std::string& folder, const file_edits& edits, const rename_plan* plan,
            apply_result& result, const assets::progress_callback& progress) {
    assets::file_transaction t;
    const std::string journal = journal_path(folder);
    if (plan)  // first of all, so that an interrupted swap can be completed
        t.changes.push_back({journal, journal_text(plan->journal), true, ""});
    for (const auto& [key, e] : edits)
        if (e.text != e.original) t.changes.push_back({e.path, e.text, true, ""});
    if (plan) {
        t.changes.insert(t.changes.end(), plan->moves.begin(), plan->moves.end());
        t.leftovers = plan->leftovers;
        t.new_folders = plan->new_folders;
        t.emptied_folders = plan->emptied_folders;
    }
    // Nothing is written through a folder that is a link out of the project.
    for (const assets::file_change& c : t.changes) {
        const std::string link = assets::link_on_the_way(folder, c.target, false);
        if (!link.empty()) {
            result.problems.push_back({apply_problem_kind::behind_a_link, link});
            return false;
        }
    }
    const assets::transaction_result r = assets::commit_transaction(t, progress);
    for (const std::string& f : r.changed)
        if (f != journal) result.changed_files.push_back(f);
    for (const std::string& f : r.unchanged)
        if (f != journal) result.unchanged_files.push_back(f);
    if (!r.completed) {
        // Only the journal swapped in: nothing is left to complete, so it goes too.
        const bool journal_alone = r.changed.size() == 1 && r.changed.front() == journal;
        const bool untouched =
            r.changed.empty() || (journal_alone && platform::remove_file(journal));
        result.problems.push_back(
            {untouched ? apply_problem_kind::not_written : apply_problem_kind::interrupted,
             r.failed});
        return false;
    }
    for (const std::string& f : r.stale) result.problems.push_back({apply_problem_kind::stale, f});
    if (plan) {
        result.files_moved += plan->moves.size();
        platform::remove_file(journal);  // one left behind only makes the next Apply look again
    }
    return true;
}

bool refused(const rename_plan& plan, apply_result& result) {
    if (plan.refusal == rename_refusal::none) return false;
    const apply_problem_kind kind =
        plan.refusal == rename_refusal::in_the_way      ? apply_problem_kind::in_the_way
        : plan.refusal == rename_refusal::behind_a_link ? apply_problem_kind::behind_a_link
                                                        : apply_problem_kind::unreadable;
    result.problems.push_back({kind, plan.refused_path});
    return true;
}

// A rename that an earlier Apply left half done is completed before anything else.
bool complete_unfinished_rename(const std::string& folder, apply_result& result,
                                const assets::progress_callback& progress) {
    rename_journal journal;
    if (!read_journal(folder, journal)) return true;
    file_edits edits;
    const rename_plan plan =
        plan_package_rename(folder, journal.from, journal.to, edits, &journal, progress);
    if (refused(plan, result) || !commit(folder, edits, &plan, result, progress)) return false;
    result.rename_completed = true;
    return true;
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
    if (!complete_unfinished_rename(folder, result, progress)) return finish();

    const std::string manifest_path = folder + "AndroidManifest.xml";
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

    // The manifest's attributes, each where it stands.
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

    if (changes.permissions) {
        bool placed = true;
        text = manifest_with_permissions(text, state.saved_permissions, &placed);
        if (placed)
            applied.permissions = true;
        else
            result.problems.push_back({apply_problem_kind::no_permission_place, manifest_path});
    }

    // The app name: a literal label, or the string resource the label names.
    if (changes.app_name) {
        const std::string label = field_value(text, manifest_field::label);
        std::string key;
        if (label_key(label, key)) {
            const label_source source = find_label_string(folder, key);
            file_edit* e = source.path.empty() ? nullptr : edit_of(edits, source.path);
            if (e && set_string(*e, key, state.app_name)) {
                applied.app_name = true;
                // BASIC! shows its run_name beside the app name, when both share the file.
                if (state.project_kind == kind_basic) set_string(*e, "run_name", state.app_name);
            } else {
                result.problems.push_back({apply_problem_kind::missing_place, label});
            }
        } else {
            // Escaped as Android reads it: a name starting with "@" is no reference.
            bool written = android_unescaped(label) == state.app_name &&
                           has_field(text, manifest_field::label);
            if (!written)
                text = with_field(text, manifest_field::label, android_escaped(state.app_name),
                                  written);
            if (written)
                applied.app_name = true;
            else
                result.problems.push_back({apply_problem_kind::missing_place, "android:label"});
        }
    }

    // BASIC!'s own copy of the version: the version name padded with zeros to five characters.
    if (changes.version_name && state.project_kind == kind_basic) {
        const std::string setup = folder + "res\\values\\setup.xml";
        if (platform::file_exists(setup)) {
            if (file_edit* e = edit_of(edits, setup))
                set_string(*e, "version", text::left_pad_zeros(state.version_name, 5));
        }
    }
    edit_of(edits, manifest_path)->text = text;

    // The rename is planned before anything is written: a file in its way stops everything.
    rename_plan plan;
    const bool move_sources = rename && is_valid_package_name(old_package);
    if (move_sources) {
        plan =
            plan_package_rename(folder, old_package, state.package_name, edits, nullptr, progress);
        if (refused(plan, result)) return finish();
    }
    const file_edit& manifest = *edit_of(edits, manifest_path);
    const bool manifest_changed = manifest.text != manifest.original;
    if (!commit(folder, edits, move_sources ? &plan : nullptr, result, progress)) return finish();
    result.applied = applied;
    result.manifest_changed = manifest_changed;
    result.package_renamed = move_sources;
    if (manifest_changed) assets::delete_folder_tree(folder + ".avlo", progress);
    return finish();
}

std::string problems_text(const apply_result& result) {
    const auto listed = [&result](const std::vector<std::string>& files) {
        std::string out;
        for (const std::string& f : files) out += "\r    " + f;
        return out.empty() ? std::string("\r    (none)") : out;
    };
    std::string out;
    for (const apply_problem& p : result.problems) {
        if (!out.empty()) out += '\r';
        switch (p.kind) {
            case apply_problem_kind::unreadable:
                out += "Could not read " + p.path + ": nothing was changed.";
                break;
            case apply_problem_kind::invalid_package:
                out += "Not a valid package name: " + p.path + ". Nothing was changed.";
                break;
            case apply_problem_kind::in_the_way:
                out += "A file is in the way of the package rename: " + p.path +
                       ". Nothing was changed.";
                break;
            case apply_problem_kind::behind_a_link:
                out += p.path + " is a link that may lead out of the project. Nothing was changed.";
                break;
            case apply_problem_kind::not_written:
                out += "Could not write " + p.path + ". Nothing was changed.";
                break;
            case apply_problem_kind::interrupted:
                out += "The changes stopped at " + p.path +
                       ".\rChanged:" + listed(result.changed_files) +
                       "\rNot changed:" + listed(result.unchanged_files) +
                       "\rApply again to complete the changes.";
                break;
            case apply_problem_kind::stale:
                out += "The old copy of a moved file could not be removed: " + p.path;
                break;
            case apply_problem_kind::missing_place:
                out += "Not written, the project has no place for it: " + p.path;
                break;
            case apply_problem_kind::no_permission_place:
                out +=
                    "The permissions have no safe place in " + p.path + "; they were not changed.";
                break;
        }
    }
    return out;
}

}  // namespace project
