// Apply on arbitrary manifests, strings.xml and setup.xml. The input is the manifest, then
// (after separators) strings.xml, setup.xml and a control part: a byte choosing the properties
// to change (bit 0 name, 1 package, 2 version name, 3 version code, 4 min SDK, 5 target SDK,
// 6 permissions), a byte choosing their values, and a value of its own. A plain file is the
// manifest alone, on which a few fixed edits are tried.
#include <cstddef>
#include <cstdint>

#include "core/project/apply_changes.h"
#include "core/project/apply_report.h"
#include "core/project/manifest_fields.h"
#include "core/project/package_rename.h"
#include "core/project/project_loader.h"
#include "core/project/string_resources.h"
#include "core/text/text_helpers.h"
#include "project_fuzzing.h"

using namespace project;
using namespace project_fuzzing;

namespace {

const char* const kTexts[] = {"n android:label=",
                              "2\" android:versionName=\"9",
                              " = ",
                              "Caf\xC3\xA9 & \xE9\xA1\xB9\xE7\x9B\xAE <1>",
                              "&amp; <b>x</b> 'q' \"dq\"",
                              "package=\"evil\"",
                              "@string/app_name",
                              "\\u0041\\'",
                              "<!-- c -->",
                              "]]>",
                              "",
                              "1.92.0-alpha01-nightly",
                              "a\tb",
                              "x\r\ny",
                              "-->"};
const char* const kPackages[] = {"com.example.todo", "a.b",   "com.example.notes.pro",
                                 "com.example",      "..\\x", "com.example.notes"};

struct field {
    bool property_changes::*changed;
    std::string project_state::*value;
    std::string loaded_project::*loaded;
};
const field kFields[] = {
    {&property_changes::app_name, &project_state::app_name, &loaded_project::app_name},
    {&property_changes::package_name, &project_state::package_name, &loaded_project::package_name},
    {&property_changes::version_name, &project_state::version_name, &loaded_project::version_name},
    {&property_changes::version_code, &project_state::version_code, &loaded_project::version_code},
    {&property_changes::min_sdk, &project_state::min_sdk, &loaded_project::min_sdk},
    {&property_changes::target_sdk, &project_state::target_sdk, &loaded_project::target_sdk},
};

struct project_files {
    std::string manifest, strings, setup;
    bool has_strings = false, has_setup = false;
};

const std::string& write_project(const project_files& f) {
    const std::string& folder = fresh_project();
    write(folder, "AndroidManifest.xml", f.manifest);
    if (f.has_strings) write(folder, "res\\values\\strings.xml", f.strings);
    if (f.has_setup) write(folder, "res\\values\\setup.xml", f.setup);
    return folder;
}

bool nothing_applied(const apply_result& r) {
    for (const apply_problem& p : r.problems) {
        switch (p.kind) {
            case apply_problem_kind::missing_place:
            case apply_problem_kind::no_permission_place: break;
            default: return true;
        }
    }
    return false;
}

// Where the value of a field stands in a manifest, as its element reads (the element is the
// first start tag of its name); false when the attribute is missing (it is then added).
bool value_span(const std::string& manifest, manifest_field field, std::size_t& begin,
                std::size_t& end) {
    static constexpr const char* kElements[] = {"manifest", "manifest", "manifest", "uses-sdk",
                                                "uses-sdk"};
    for (const xml::token& t : xml::scan(manifest)) {
        if (t.kind != xml::token_kind::start_tag || t.name != kElements[static_cast<int>(field)])
            continue;
        const xml::attribute* a = xml::find_attribute(t, field_attribute(field));
        if (!a || !a->has_value) return false;
        begin = a->value_begin;
        end = a->value_end;
        return true;
    }
    return false;
}

// The one stretch in which two texts differ: [begin, old_end) of a, [begin, new_end) of b.
void differing_stretch(const std::string& a, const std::string& b, std::size_t& begin,
                       std::size_t& old_end, std::size_t& new_end) {
    begin = 0;
    while (begin < a.size() && begin < b.size() && a[begin] == b[begin]) ++begin;
    std::size_t tail = 0;
    while (tail < a.size() - begin && tail < b.size() - begin &&
           a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;
    old_end = a.size() - tail;
    new_end = b.size() - tail;
}

void check_edit(const project_files& input, const project_state& wanted,
                const property_changes& changes) {
    const std::string& folder = write_project(input);
    const auto files = snapshot(folder);
    const loaded_project before = load_project_files(folder);
    project_state edited = wanted;
    edited.project_folder = folder;
    edited.project_kind = before.kind;

    const apply_result r = apply_project_changes(edited, changes);
    const auto written = snapshot(folder);
    check(r.reloaded.package_name == load_project_files(folder).package_name,
          "the result reloads what the files say");
    for (const auto& [path, bytes] : written) {
        check(path.size() < 6 || path.compare(path.size() - 6, 6, ".vxtmp") != 0,
              "no temporary file is left", path);
        check(path != ".vexlo-rename", "no journal is left");
    }
    if (nothing_applied(r)) {
        check(written == files, "a refused Apply changes nothing", problems_text(r));
        check(!r.applied.any(), "a refused Apply claims nothing");
        return;
    }
    const loaded_project after = load_project_files(folder);
    const bool renamed = r.package_renamed;
    for (const field& f : kFields) {
        const bool applied = changes.*f.changed && r.applied.*f.changed;
        const std::string expected = applied ? edited.*f.value : before.*f.loaded;
        const std::string& got = after.*f.loaded;
        if (renamed && f.value != &project_state::package_name) {
            check(got == expected || got == renamed_package_text(expected, before.package_name,
                                                                 edited.package_name),
                  "a value reads as applied (or renamed)", expected + "\n" + got);
        } else {
            check(got == expected, "a value reads as applied, the others as before",
                  "field " + std::to_string(&f - kFields) + ": " + expected + "\n" + got);
        }
        if (changes.*f.changed && !(r.applied.*f.changed))
            check(!r.problems.empty(), "a change not written is reported");
    }
    const permission_flags permissions = changes.permissions && r.applied.permissions
                                             ? edited.saved_permissions
                                             : before.permissions;
    check(after.permissions == permissions, "the permissions read as applied");
    if (r.applied.version_name && before.kind == kind::basic && input.has_setup) {
        const std::string setup = read(folder + "res\\values\\setup.xml");
        const string_element v = find_string(setup, "version");
        if (v.found)
            check(resource_string_value(
                      setup.substr(v.content_begin, v.content_end - v.content_begin)) ==
                      text::left_pad_zeros(edited.version_name, 5),
                  "BASIC!'s version follows the version name");
    }

    // Applying the same again finds nothing to do.
    const apply_result again = apply_project_changes(edited, changes);
    check(snapshot(folder) == written, "applying twice equals applying once", problems_text(again));

    // Bytes outside the edited value never change.
    if (renamed) return;
    const std::string& old_manifest = files.at("AndroidManifest.xml");
    const std::string& new_manifest = written.at("AndroidManifest.xml");
    check(comments(new_manifest) == comments(old_manifest), "comments stay as they were");
    int attributes = 0;
    const field* edited_field = nullptr;
    for (const field& f : kFields) {
        if (f.value == &project_state::app_name || !(changes.*f.changed)) continue;
        ++attributes;
        edited_field = &f;
    }
    if (attributes == 1 && !changes.app_name && !changes.permissions &&
        r.applied.*edited_field->changed) {
        // kFields after the name is in the order of manifest_field.
        const auto index = static_cast<int>(edited_field - kFields);
        const manifest_field which = static_cast<manifest_field>(index - 1);
        std::size_t value_begin = 0, value_end = 0;
        if (value_span(old_manifest, which, value_begin, value_end)) {
            std::size_t b, oe, ne;
            differing_stretch(old_manifest, new_manifest, b, oe, ne);
            check(b >= value_begin && oe <= value_end, "only the edited value changes",
                  old_manifest.substr(b, oe - b) + "\n-> " + new_manifest.substr(b, ne - b));
            check(new_manifest.substr(b, ne - b).find_first_of("<>") == std::string::npos,
                  "the new value holds no markup", new_manifest.substr(b, ne - b));
        }
    }
    if (!changes.app_name)
        for (const char* other : {"res\\values\\strings.xml"})
            if (files.count(other)) check(written.at(other) == files.at(other), "other files stay");
}

void set_value(project_state& s, const field& f, std::uint8_t pick, const std::string& own) {
    if (f.value == &project_state::package_name) {
        s.package_name = pick % 7 == 6 && !own.empty() ? own : kPackages[pick % 6];
        return;
    }
    const std::size_t n = sizeof kTexts / sizeof kTexts[0];
    s.*f.value = pick % (n + 1) == n ? own : kTexts[pick % (n + 1)];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 1 << 16) return 0;
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> parts = split(input, kSeparator);
    project_files files;
    files.manifest = parts[0];
    files.has_strings = parts.size() > 1;
    if (files.has_strings) files.strings = parts[1];
    files.has_setup = parts.size() > 2;
    if (files.has_setup) files.setup = parts[2];

    // The record as loaded, the base of every edit.
    const std::string& folder = write_project(files);
    project_state loaded;
    loaded.project_folder = folder;
    store_loaded(load_project_files(folder), loaded);

    if (parts.size() > 3 && parts[3].size() >= 2) {
        const std::string& control = parts[3];
        const std::string own = control.substr(2);
        project_state edited = loaded;
        property_changes changes;
        std::uint8_t pick = static_cast<std::uint8_t>(control[1]);
        for (int i = 0; i < 6; ++i) {
            if (!((control[0] >> i) & 1)) continue;
            set_value(edited, kFields[i], pick, own);
            pick = static_cast<std::uint8_t>(pick * 31 + 7);
            changes.*kFields[i].changed = edited.*kFields[i].value != loaded.*kFields[i].value;
        }
        if ((control[0] >> 6) & 1) {
            for (int i = 0; i < kPermissionCount; ++i)
                edited.saved_permissions[i] = (hash_of(own) >> i) & 1;
            changes.permissions = edited.saved_permissions != loaded.saved_permissions;
        }
        check_edit(files, edited, changes);
        return 0;
    }
    // A plain manifest: the edits that once destroyed other values, and one drawn from it.
    const std::uint64_t h = hash_of(input);
    const std::pair<int, std::string> fixed[] = {
        {3, "n android:label="},
        {0, "x package=\"y\""},
        {2, " = "},
        {0, "Caf\xC3\xA9 & \xE9\xA1\xB9\xE7\x9B\xAE <1>"},
        {1, "com.example.todo"},
        {static_cast<int>(h % 6), kTexts[(h >> 8) % (sizeof kTexts / sizeof kTexts[0])]}};
    for (const auto& [i, value] : fixed) {
        project_state edited = loaded;
        edited.*kFields[i].value = value;
        property_changes changes;
        changes.*kFields[i].changed = value != loaded.*kFields[i].value;
        check_edit(files, edited, changes);
    }
    return 0;
}
