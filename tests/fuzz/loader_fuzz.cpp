// Loading arbitrary files of a project. The input is the manifest, then (after separators)
// strings.xml, setup.xml, a byte of flags (bit 0: res\raw\my_program, bit 1: .gitignore) and a
// rename journal; a plain file is the manifest alone.
#include <cstddef>
#include <cstdint>

#include "core/project/apply_changes.h"
#include "core/project/apply_report.h"
#include "core/project/package_rename.h"
#include "core/project/project_loader.h"
#include "core/project/string_resources.h"
#include "core/xml/xml_text.h"
#include "project_fuzzing.h"

using namespace project;
using namespace project_fuzzing;

namespace {

bool same(const loaded_project& a, const loaded_project& b) {
    return a.kind == b.kind && a.app_name == b.app_name && a.package_name == b.package_name &&
           a.version_name == b.version_name && a.version_code == b.version_code &&
           a.min_sdk == b.min_sdk && a.target_sdk == b.target_sdk &&
           a.permissions == b.permissions && a.has_gitignore == b.has_gitignore &&
           a.unfinished_rename == b.unfinished_rename && a.icon_files == b.icon_files;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 1 << 16) return 0;
    const std::vector<std::string> parts =
        split(std::string_view(reinterpret_cast<const char*>(data), size), kSeparator);
    const std::string& folder = fresh_project();
    write(folder, "AndroidManifest.xml", parts[0]);
    if (parts.size() > 1) write(folder, "res\\values\\strings.xml", parts[1]);
    if (parts.size() > 2) write(folder, "res\\values\\setup.xml", parts[2]);
    const unsigned flags = parts.size() > 3 && !parts[3].empty() ? parts[3][0] : 0;
    if (flags & 1) write(folder, "res\\raw\\my_program", "PRINT 1\n");
    if (flags & 2) write(folder, ".gitignore", "bin/\n");
    if (parts.size() > 4) write(folder, ".vexlo-rename", parts[4]);
    const auto files = snapshot(folder);

    const loaded_project p = load_project_files(folder);
    check(snapshot(folder) == files, "loading writes nothing");
    check(same(load_project_files(folder), p), "loading twice reads the same");
    check(p.kind != kind::no_manifest, "a manifest makes a project");
    project_state state;
    state.project_folder = folder;
    store_loaded(p, state);
    check(state.app_name == p.app_name && state.package_name == p.package_name &&
              state.version_name == p.version_name && state.version_code == p.version_code &&
              state.min_sdk == p.min_sdk && state.target_sdk == p.target_sdk,
          "the record holds every value whole");
    for (const std::string* v : {&p.package_name, &p.version_name, &p.version_code, &p.min_sdk,
                                 &p.target_sdk, &p.app_name}) {
        check(xml::decoded(xml::escaped(*v, '"')) == *v, "a value written back reads the same", *v);
        check(resource_string_value(resource_string_content(*v)) == *v,
              "a string written back reads the same", *v);
    }

    // Applying nothing changes nothing (an unfinished rename would be completed instead).
    if (!p.unfinished_rename) {
        const apply_result result = apply_project_changes(state, property_changes{});
        check(result.succeeded(), "applying nothing succeeds", problems_text(result));
        check(snapshot(folder) == files, "applying nothing writes nothing");
        check(same(result.reloaded, p), "applying nothing reloads the same");
    } else {
        apply_project_changes(state, property_changes{});  // completes it, or says why not
    }
    return 0;
}
