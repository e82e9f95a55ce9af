#include "core/project/project_loader.h"

#include <vector>

#include "core/project/permissions.h"
#include "core/text/text_helpers.h"
#include "platform/platform.h"

namespace project {

std::string normalise_manifest(std::string text) {
    // Replacing repeatedly until none is left equals one pass that drops every run of spaces
    // directly before or after an "=".
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '=') {
            while (!out.empty() && out.back() == ' ') out.pop_back();
            out.push_back('=');
            while (i + 1 < text.size() && text[i + 1] == ' ') ++i;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

std::string attribute_value(const std::string& text, const std::string& name) {
    return text::text_between(text, name + "=\"", "\"");
}

int decide_kind(const std::string& folder) {
    const bool program = text::file_exists(folder + "res\\raw\\my_program") ||
                         text::file_exists(folder + "res\\raw\\my_program.bas");
    if (program) return kind_basic;
    std::string setup;
    if (text::read_whole_file(folder + "res\\values\\setup.xml", setup) &&
        setup.find("BASIC! for Android") != std::string::npos)
        return kind_basic;
    return kind_android;
}

namespace {

std::string string_start(const std::string& key) { return "<string name=\"" + key + "\">"; }

std::string resolve_label(const std::string& folder, const std::string& label) {
    const std::size_t at = label.find("@string/");
    if (at == std::string::npos) return label;
    const std::string key = label.substr(at + 8);
    const std::string start = string_start(key);
    std::string strings;
    const bool have_strings = text::read_whole_file(folder + "res\\values\\strings.xml", strings);
    if (have_strings && text::to_lower_ascii(strings).find(start) != std::string::npos)
        return text::text_between(strings, start, "</string>");
    std::string setup;
    if (text::read_whole_file(folder + "res\\values\\setup.xml", setup))
        return text::text_between(setup, start, "</string>");
    // A file that cannot be read leaves the previously read text in place.
    return have_strings ? text::text_between(strings, start, "</string>") : "";
}

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

loaded_project load_project_files(const std::string& folder) {
    loaded_project out;
    std::string manifest;
    if (!text::file_exists(folder + "AndroidManifest.xml")) return out;
    out.kind = decide_kind(folder);
    text::read_whole_file(folder + "AndroidManifest.xml", manifest);
    manifest = normalise_manifest(std::move(manifest));
    out.package_name = attribute_value(manifest, "package");
    out.version_name = attribute_value(manifest, "android:versionName");
    out.version_code = attribute_value(manifest, "android:versionCode");
    out.min_sdk = attribute_value(manifest, "android:minSdkVersion");
    out.target_sdk = attribute_value(manifest, "android:targetSdkVersion");
    out.permissions = granted_permissions(manifest);
    out.app_name = resolve_label(folder, attribute_value(manifest, "android:label"));
    out.has_gitignore = text::file_exists(folder + ".gitignore");
    const std::string icon = attribute_value(manifest, "android:icon");
    if (text::starts_with(icon, "@drawable/")) {
        const std::string name = icon.substr(10);
        for (const char* density : {"xhdpi", "hdpi", "mdpi", "ldpi"}) {
            const std::string file =
                first_named(folder + "res\\drawable-" + density + "\\", name);
            if (!file.empty()) out.icon_files.push_back(file);
        }
    }
    return out;
}

void store_loaded(const loaded_project& loaded, project_state& state) {
    state.project_kind = loaded.kind;
    if (loaded.kind == kind_no_manifest) return;
    state.app_name = capped(loaded.app_name, kNameCapacity);
    state.package_name = capped(loaded.package_name, kNameCapacity);
    state.version_name = capped(loaded.version_name, kVersionCapacity);
    state.version_code = capped(loaded.version_code, kVersionCapacity);
    state.min_sdk = capped(loaded.min_sdk, kSdkCapacity);
    state.target_sdk = capped(loaded.target_sdk, kSdkCapacity);
    state.saved_permissions = loaded.permissions;
}

}  // namespace project
