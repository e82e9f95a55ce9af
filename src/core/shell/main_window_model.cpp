#include "core/shell/main_window_model.h"

#include "core/project/apply_report.h"
#include "core/text/encoding.h"

namespace shell {

const std::vector<control_layout>& main_window_layout() {
    using k = control_kind;
    static const std::vector<control_layout> layout = {
        {id_load, k::button, "Load", 286, 5, 48, 22, true},
        {id_duplicate, k::button, "Duplicate project", 32, 72, 134, 32, false},
        {id_gitignore, k::button, "Create .gitignore file", 200, 72, 134, 32, false},
        {id_picture, k::button, "Change BASIC! App icon", 32, 104, 134, 32, false},
        {id_program, k::button, "Update BASIC! program", 200, 104, 134, 32, false},
        {id_res_folder, k::button, "Open res folder (.xml .png)", 32, 136, 134, 32, false},
        {id_src_folder, k::button, "Open src folder (.java)", 200, 136, 134, 32, false},
        {id_app_name, k::edit, "", 88, 200, 176, 18, false},
        {id_package, k::edit, "", 88, 224, 176, 18, false},
        {id_version_name, k::edit, "1.0", 88, 248, 46, 18, false},
        {id_version_code, k::digits_edit, "1000", 224, 248, 40, 18, false},
        {id_min_label, k::sunken_label, "7", 88, 270, 26, 20, false},
        {id_min_updown, k::updown, "", 114, 268, 17, 24, false},
        {id_min_sdk, k::hidden_digits, "7", -10, -10, 1, 1, true},
        {id_target_label, k::sunken_label, "16", 222, 270, 26, 20, false},
        {id_target_updown, k::updown, "", 248, 268, 17, 24, false},
        {id_target_sdk, k::hidden_digits, "16", -10, -10, 1, 1, true},
        {id_permissions, k::button, "Display and/or change the permissions", 8, 296, 256, 20,
         false},
        {id_apply, k::multiline_button, "Apply changes now", 280, 222, 48, 69, false},
        {id_discard, k::multiline_button, "Discard changes", 280, 292, 48, 28, false},
        {id_clean, k::button, "Clean project", 32, 339, 78, 32, false},
        {id_batch, k::button, "Create batch", 144, 339, 78, 32, false},
        {id_compile, k::button, "Compile APK", 256, 339, 78, 32, false},
        {id_recent, k::combo, "", 56, 5, 230, 180, true},
        {id_status, k::label, "Please load a project with the \"Load\" button", 56, 40, 280, 16,
         true},
        {id_warning, k::notify_label, "[!]", 264, 225, 18, 16, false},
        {id_icon, k::picture, "", 10, 32, 32, 32, true},
        {id_duplicate + id_picture_offset, k::picture, "", 0, 72, 32, 32, true},
        {id_gitignore + id_picture_offset, k::picture, "", 168, 72, 32, 32, true},
        {id_picture + id_picture_offset, k::picture, "", 0, 104, 32, 32, true},
        {id_program + id_picture_offset, k::picture, "", 168, 104, 32, 32, true},
        {id_res_folder + id_picture_offset, k::picture, "", 0, 136, 32, 32, true},
        {id_src_folder + id_picture_offset, k::picture, "", 168, 136, 32, 32, true},
        {id_apply + id_picture_offset, k::picture, "", 287, 190, 32, 30, true},
        {id_clean + id_picture_offset, k::picture, "", 0, 339, 32, 32, true},
        {id_batch + id_picture_offset, k::picture, "", 112, 339, 32, 32, true},
        {id_compile + id_picture_offset, k::picture, "", 224, 339, 32, 32, true},
        {id_caption, k::group, "Project properties", 3, 176, 333, 152, true},
        {id_caption, k::label, "Project name :", 8, 201, 80, 16, true},
        {id_caption, k::label, "Package name :", 8, 225, 80, 16, true},
        {id_caption, k::label, "Version number :", 8, 249, 80, 16, true},
        {id_caption, k::label, "Version code :", 144, 249, 80, 16, true},
        {id_caption, k::label, "min SDK :", 8, 272, 80, 16, true},
        {id_caption, k::label, "target SDK :", 152, 272, 64, 17, true},
        {id_caption, k::notify_label, "Project :", 8, 8, 48, 16, true},
    };
    return layout;
}

namespace {

// The controls that only a loaded Android project enables (Apply and Discard follow changes).
const std::vector<int>& project_controls() {
    static const std::vector<int> ids = {
        id_duplicate,  id_gitignore,    id_picture,      id_program,      id_res_folder,
        id_src_folder, id_clean,        id_batch,        id_compile,      id_package,
        id_warning,    id_min_label,    id_min_updown,   id_target_label, id_target_updown,
        id_app_name,   id_version_name, id_version_code, id_permissions};
    return ids;
}

std::vector<button_picture> pictures(const char* suffix, const char* program_base) {
    const std::string s = suffix;
    return {{id_duplicate + id_picture_offset, "CPY" + s},
            {id_gitignore + id_picture_offset, "GIT" + s},
            {id_picture + id_picture_offset, "IMG" + s},
            {id_program + id_picture_offset, program_base + s},
            {id_res_folder + id_picture_offset, "RES" + s},
            {id_src_folder + id_picture_offset, "SRC" + s},
            {id_apply + id_picture_offset, "SAV0"},
            {id_clean + id_picture_offset, "CLN" + s},
            {id_batch + id_picture_offset, "BAT" + s},
            {id_compile + id_picture_offset, "RUN" + s}};
}

display_state disabled_state(const char* status, const char* program_base) {
    display_state s;
    s.status = status;
    s.disabled = project_controls();
    s.disabled.push_back(id_apply);
    s.disabled.push_back(id_discard);
    s.enabled = {id_load, id_recent};
    s.pictures = pictures("0", program_base);
    return s;
}

}  // namespace

display_state start_state() {
    return disabled_state("Please load a project with the \"Load\" button", "UPD");
}

display_state loaded_state(project::kind project_kind) {
    if (project_kind == project::kind::no_manifest) {
        display_state s =
            disabled_state("This is not an Android project. Change the folder", "KEY");
        s.icon_picture = "UNK";
        return s;
    }
    display_state s;
    const bool basic = project_kind == project::kind::basic;
    s.status = basic ? "This is an (Android) BASIC! based project"
                     : "This is an Android (non-BASIC! based) project";
    s.icon_picture = basic ? "" : "OID";
    s.picture_caption = basic ? "Change BASIC! App icon" : "Add res/drawable image";
    s.program_caption = basic ? "Update BASIC! program" : "Edit the Manifest";
    s.enabled = project_controls();
    s.enabled.push_back(id_load);
    s.enabled.push_back(id_recent);
    s.disabled = {id_apply, id_discard};
    s.pictures = pictures("1", basic ? "UPD" : "KEY");
    return s;
}

bool starts_pending(bool already_pending, const std::string& new_text,
                    const std::string& stored_value) {
    return !already_pending && new_text != text::display_text(stored_value);
}

project::property_changes take_edits(const edited_values& edits,
                                     const project::permission_flags& choice,
                                     project::project_state& state) {
    struct field {
        const std::string& typed;
        std::string& stored;
        bool& changed;
    };
    project::property_changes changes;
    const field fields[] = {
        {edits.app_name, state.app_name, changes.app_name},
        {edits.package_name, state.package_name, changes.package_name},
        {edits.version_name, state.version_name, changes.version_name},
        {edits.version_code, state.version_code, changes.version_code},
        {edits.min_sdk, state.min_sdk, changes.min_sdk},
        {edits.target_sdk, state.target_sdk, changes.target_sdk},
    };
    for (const field& f : fields) {
        const std::string value = text::stored_text(f.typed, f.stored);
        f.changed = value != f.stored;
        f.stored = value;
    }
    changes.permissions = choice != state.saved_permissions;
    state.saved_permissions = choice;
    return changes;
}

std::vector<std::string> change_lines(const project::property_changes& changes) {
    std::vector<std::string> lines;
    const std::pair<bool, const char*> items[] = {
        {changes.app_name, "- project name"},
        {changes.package_name, "- project package"},
        {changes.version_name, "- project version number"},
        {changes.version_code, "- project version code"},
        {changes.min_sdk, "- project min SDK"},
        {changes.target_sdk, "- project target SDK"},
        {changes.permissions, "- project permissions"},
    };
    for (const auto& [changed, line] : items)
        if (changed) lines.push_back(line);
    return lines;
}

apply_report report_for(const std::vector<std::string>& changes) {
    if (changes.empty()) return {"Apply changes", "No properties needed to be changed"};
    std::string text = "The following properties have been correctly changed:\r";
    for (const std::string& line : changes) text += line + "\r";
    return {"Changes applied", text};
}

std::string apply_progress_text(std::size_t files_seen) {
    return "Applying changes... " + std::to_string(files_seen) + " files seen";
}

apply_report report_for_apply(const project::apply_result& result) {
    std::vector<std::string> lines = change_lines(result.applied);
    if (result.rename_completed)
        lines.insert(lines.begin(), "- project package (the unfinished rename is complete)");
    if (result.succeeded()) return report_for(lines);
    std::string text = "Not all changes could be applied:\r" + project::problems_text(result);
    if (!lines.empty()) {
        text += "\r\rThe following properties have been changed:\r";
        for (const std::string& line : lines) text += line + "\r";
    }
    return {kProgramCaption, text};
}

}  // namespace shell
