// The package rename on arbitrary Java text: only whole names change. The input is
// "old name" LF "new name", the separator, and the Java text; names that are no package are
// replaced by names drawn from the input. Each input is also renamed as a file of a project.
#include <cstddef>
#include <cstdint>

#include "core/project/apply_changes.h"
#include "core/project/apply_report.h"
#include "core/project/package_rename.h"
#include "core/project/project_loader.h"
#include "project_fuzzing.h"

using namespace project;
using namespace project_fuzzing;

namespace {

bool is_name_char(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '$' || c == '.' || u >= 0x80;
}

// What the rename must give, worked out on dotted names: a dotted name that is the old name,
// or starts with it and a dot, starts with the new name instead, unless it already reads as
// the new name (when the new name begins with the old one).
std::string expected_rename(const std::string& text, const std::string& from,
                            const std::string& to) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        if (!is_name_char(text[i])) {
            out += text[i++];
            continue;
        }
        std::size_t j = i;
        while (j < text.size() && is_name_char(text[j])) ++j;
        const std::string name = text.substr(i, j - i);
        const auto heads = [&name](const std::string& head) {
            return name.compare(0, head.size(), head) == 0 &&
                   (name.size() == head.size() || name[head.size()] == '.');
        };
        if (heads(from) && !(to.compare(0, from.size(), from) == 0 && heads(to)))
            out += to + name.substr(from.size());
        else
            out += name;
        i = j;
    }
    return out;
}

const char* const kNames[] = {
    "com.example.app",   "org.demo.app",     "com.example.app.pro", "com.example", "a.b", "b",
    "com.example.apple", "x.com.example.app"};

std::string valid_or_drawn(const std::string& name, std::uint64_t h) {
    return is_valid_package_name(name) && name.size() < 200 ? name : kNames[h % 8];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 1 << 16) return 0;
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> parts = split(input, kSeparator);
    const std::uint64_t h = hash_of(input);
    std::string from = "com.example.app", to = "org.demo.app";
    std::string text = parts[0];
    if (parts.size() > 1) {
        const std::vector<std::string> names = split(parts[0], "\n");
        from = valid_or_drawn(names[0], h);
        to = valid_or_drawn(names.size() > 1 ? names[1] : "", h >> 8);
        text = parts[1];
    } else {
        from = kNames[h % 8];
        to = kNames[(h >> 8) % 8];
    }
    if (from == to) return 0;

    const std::string renamed = renamed_package_text(text, from, to);
    check(renamed == expected_rename(text, from, to), "only whole names change",
          from + " -> " + to + "\n" + renamed);
    check(renamed_package_text(renamed, from, to) == renamed, "renaming twice equals once",
          renamed);

    // The same as a file of a project whose package is renamed.
    const std::string& folder = fresh_project();
    std::string from_folder = from, to_folder = to;
    std::replace(from_folder.begin(), from_folder.end(), '.', '\\');
    std::replace(to_folder.begin(), to_folder.end(), '.', '\\');
    write(folder, "AndroidManifest.xml", "<manifest package=\"" + from + "\">\n</manifest>\n");
    write(folder, "src\\" + from_folder + "\\Main.java", text);
    project_state state;
    state.project_folder = folder;
    store_loaded(load_project_files(folder), state);
    state.package_name = to;
    property_changes changes;
    changes.package_name = true;
    const apply_result result = apply_project_changes(state, changes);
    if (result.problems.size() == 1 && result.problems[0].kind == apply_problem_kind::in_the_way)
        return 0;  // the new folder is the old one's file ("a.b" to "a.b.Main.java" and the like)
    check(result.succeeded(), "the rename succeeds", problems_text(result));
    check(read(folder + "src\\" + to_folder + "\\Main.java") == renamed,
          "the source moved renamed");
    check(!platform::file_exists(folder + "src\\" + from_folder + "\\Main.java"),
          "the old source is gone");
    check(load_project_files(folder).package_name == to, "the manifest names the new package");
    return 0;
}
