#include "core/project/project_loader.h"

#include <vector>

#include "core/assets/project_layout.h"
#include "core/project/manifest_fields.h"
#include "core/project/package_rename.h"
#include "core/project/permissions.h"
#include "core/project/string_resources.h"
#include "core/text/text_helpers.h"
#include "platform/platform.h"

namespace project {

kind decide_kind(const std::string& folder) {
    const bool program = platform::file_exists(folder + assets::kProgramFiles[0]) ||
                         platform::file_exists(folder + assets::kProgramFiles[1]);
    if (program) return kind::basic;
    std::string setup;
    if (platform::read_file(folder + assets::kSetupFile, setup) &&
        setup.find("BASIC! for Android") != std::string::npos)
        return kind::basic;
    return kind::android;
}

namespace {

// The first file named name.* in the folder, in the order the file system gives.
std::string first_named(const std::string& folder, const std::string& name) {
    std::vector<platform::dir_entry> entries;
    if (!platform::list_directory(folder, entries)) return "";
    const std::string prefix = text::to_lower_ascii(name + ".");
    for (const auto& e : entries)
        if (!e.is_directory && text::to_lower_ascii(e.name).rfind(prefix, 0) == 0)
            return folder + e.name;
    return "";
}

}  // namespace

std::string resolve_label(const std::string& folder, const std::string& label) {
    std::string key;
    if (!label_key(label, key)) return android_unescaped(label);  // read as Android reads it
    const label_source source = find_label_string(folder, key);
    if (source.path.empty()) return "";
    const string_element& e = source.element;
    return resource_string_value(
        std::string_view(source.bytes).substr(e.content_begin, e.content_end - e.content_begin));
}

loaded_project load_project_files(const std::string& folder) {
    loaded_project out;
    std::string manifest;
    if (!platform::file_exists(folder + assets::kManifestFile)) return out;
    out.kind = decide_kind(folder);
    platform::read_file(folder + assets::kManifestFile, manifest);
    out.package_name = field_value(manifest, manifest_field::package);
    out.version_name = field_value(manifest, manifest_field::version_name);
    out.version_code = field_value(manifest, manifest_field::version_code);
    out.min_sdk = field_value(manifest, manifest_field::min_sdk);
    out.target_sdk = field_value(manifest, manifest_field::target_sdk);
    out.permissions = granted_permissions(manifest);
    out.app_name = resolve_label(folder, field_value(manifest, manifest_field::label));
    out.has_gitignore = platform::file_exists(folder + assets::kGitignoreFile);
    rename_journal journal;
    out.unfinished_rename = read_journal(folder, journal);
    const std::string icon = field_value(manifest, manifest_field::icon);
    if (text::starts_with(icon, "@drawable/")) {
        const std::string name = icon.substr(10);
        for (const char* density : {"xhdpi", "hdpi", "mdpi", "ldpi"}) {
            const std::string file =
                first_named(folder + assets::kResFolder + "drawable-" + density + "\\", name);
            if (!file.empty()) out.icon_files.push_back(file);
        }
    }
    return out;
}

void store_loaded(const loaded_project& loaded, project_state& state) {
    state.project_kind = loaded.kind;
    if (loaded.kind == kind::no_manifest) return;
    // Whole values: a value cut here would be written back cut by the next Apply.
    state.app_name = loaded.app_name;
    state.package_name = loaded.package_name;
    state.version_name = loaded.version_name;
    state.version_code = loaded.version_code;
    state.min_sdk = loaded.min_sdk;
    state.target_sdk = loaded.target_sdk;
    state.saved_permissions = loaded.permissions;
}

}  // namespace project
