#include "core/project/apply_changes.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <utility>

#include "core/assets/file_tree.h"
#include "core/project/permissions.h"
#include "core/project/project_loader.h"
#include "core/text/text_helpers.h"
#include "platform/platform.h"

namespace project {
namespace {

constexpr std::string_view kStringEnd = "</string>";

std::string string_start(std::string_view key) {
    return "<string name=\"" + std::string(key) + "\">";
}

// The text to write for a value: the old text itself when the value is unchanged (whatever
// form it has in the file, such as a CDATA section), otherwise the value made safe for XML.
std::string written_value(const std::string& value, const std::string& old, bool in_attribute) {
    return value == old ? old : xml_escaped(value, in_attribute);
}

bool is_identifier_char(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '$' || u >= 0x80;  // bytes of UTF-8 letters count as letters
}

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

bool all_blank(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return is_blank(c) || c == '\r'; });
}

std::size_t line_start(std::string_view text, std::size_t pos) {
    const std::size_t lf = pos == 0 ? std::string_view::npos : text.rfind('\n', pos - 1);
    return lf == std::string_view::npos ? 0 : lf + 1;
}

// Position of the LF that ends the line holding pos, or the text's size on the last line.
std::size_t line_end(std::string_view text, std::size_t pos) {
    const std::size_t lf = text.find('\n', pos);
    return lf == std::string_view::npos ? text.size() : lf;
}

struct span {
    std::size_t begin;
    std::size_t end;
};

// The "<uses-permission" elements outside comments that name a table permission, each from its
// "<" to the ">" of its end tag (or of the start tag when it closes itself).
std::vector<span> table_permission_elements(std::string_view scan) {
    static constexpr std::string_view kOpen = "<uses-permission";
    std::vector<std::string> needles;
    for (const std::string& name : permission_names())
        needles.push_back("ANDROID.PERMISSION." + name + "\"");
    std::vector<span> found;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t begin = text::ifind(scan, kOpen, pos);
        if (begin == std::string_view::npos) break;
        const std::size_t after = begin + kOpen.size();
        pos = after;
        // "<uses-permission-sdk-23" and the like are other elements.
        if (after < scan.size() && !is_blank(scan[after]) && scan[after] != '/' &&
            scan[after] != '>' && scan[after] != '\r' && scan[after] != '\n')
            continue;
        const std::size_t gt = scan.find('>', after);
        if (gt == std::string_view::npos) break;
        std::size_t end = gt + 1;
        if (scan[gt - 1] != '/') {
            const std::size_t next_tag = scan.find('<', end);
            if (next_tag != std::string_view::npos &&
                text::ifind(scan.substr(next_tag, 17), "</uses-permission") == 0) {
                const std::size_t close = scan.find('>', next_tag);
                if (close != std::string_view::npos) end = close + 1;
            }
        }
        pos = end;
        const std::string upper = text::to_upper_ascii(scan.substr(begin, end - begin));
        for (const std::string& needle : needles) {
            if (upper.find(needle) != std::string::npos) {
                found.push_back({begin, end});
                break;
            }
        }
    }
    return found;
}

// Where a block of whole lines goes when it takes the place of text removed at pos: at the
// start of the line when only blanks stand before pos, after the line when only blanks follow,
// otherwise on a line of its own in the middle (the caller adds the line break then).
std::size_t block_position(std::string_view text, std::size_t pos, bool& needs_break) {
    needs_break = false;
    const std::size_t ls = line_start(text, pos);
    if (all_blank(text.substr(ls, pos - ls))) return ls;
    const std::size_t le = line_end(text, pos);
    if (all_blank(text.substr(pos, le - pos))) {
        if (le < text.size()) return le + 1;
        needs_break = true;
        return text.size();
    }
    needs_break = true;
    return pos;
}

std::string dotted_to_folder(std::string_view package) {
    std::string out(package);
    std::replace(out.begin(), out.end(), '.', '\\');
    return out;
}

bool starts_with_ignoring_case(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           text::iequals_ascii(text.substr(0, prefix.size()), prefix);
}

std::size_t depth(std::string_view path) {
    return std::count(path.begin(), path.end(), '\\');
}

bool has_extension(std::string_view path, std::string_view extension) {
    return path.size() > extension.size() &&
           text::iequals_ascii(path.substr(path.size() - extension.size()), extension);
}

std::string parent_folder(std::string_view path) {
    const std::size_t cut = path.find_last_of('\\');
    return std::string(cut == std::string_view::npos ? std::string_view() : path.substr(0, cut));
}

// ---- the package rename ------------------------------------------------------------------------

struct file_step {
    std::string from;
    std::string to;        // equals from when the file stays where it is
    bool rewrite = false;  // an XML or Java file, whose text gets the new package name
};

struct rename_plan {
    std::string src_folder;  // project + "src"
    std::string old_folder;  // project + "src\" + old package as folders, no trailing backslash
    std::string new_folder;
    std::vector<file_step> steps;
    std::vector<std::string> old_subfolders;  // below old_folder, to be carried over
};

// Lists what the rename touches, ordered so that a file is moved away before another one takes
// its place. Gives false (with the file that blocks) when a file of the project stands where a
// moved file must go.
bool plan_rename(const std::string& folder, std::string_view old_package,
                 std::string_view new_package, rename_plan& plan, std::string& blocking,
                 const assets::progress_callback& progress) {
    plan.src_folder = folder + "src";
    plan.old_folder = plan.src_folder + "\\" + dotted_to_folder(old_package);
    plan.new_folder = plan.src_folder + "\\" + dotted_to_folder(new_package);
    const std::string old_prefix = plan.old_folder + "\\";
    const std::string manifest = folder + "AndroidManifest.xml";
    const std::string work_folder = folder + ".avlo\\";  // deleted before the rename runs

    std::vector<assets::file_record> files;
    assets::list_files(folder, files, "*.*", progress);
    std::set<std::string> sources;  // lower case, to recognise a target that moves away first
    for (const assets::file_record& f : files) {
        if (text::iequals_ascii(f.path, manifest)) continue;  // rewritten with the attributes
        if (starts_with_ignoring_case(f.path, work_folder)) continue;
        const bool moving = starts_with_ignoring_case(f.path, old_prefix);
        const bool rewrite =
            !f.is_link && (has_extension(f.path, ".xml") || has_extension(f.path, ".java"));
        if (!moving && !rewrite) continue;
        file_step step;
        step.from = f.path;
        step.to = moving ? plan.new_folder + f.path.substr(plan.old_folder.size()) : f.path;
        step.rewrite = rewrite;
        if (moving) sources.insert(text::to_lower_ascii(step.from));
        plan.steps.push_back(std::move(step));
    }
    for (const file_step& step : plan.steps) {
        if (step.to == step.from || text::iequals_ascii(step.to, step.from)) continue;
        if (platform::file_exists(step.to) && !sources.count(text::to_lower_ascii(step.to))) {
            blocking = step.to;
            return false;
        }
    }
    // A target that is itself a source lies deeper when the new folder is inside the old one
    // (com.example.app to com.example.app.pro), higher when it is the other way round.
    const bool deeper = starts_with_ignoring_case(plan.new_folder, old_prefix);
    std::stable_sort(
        plan.steps.begin(), plan.steps.end(), [deeper](const file_step& a, const file_step& b) {
            return deeper ? depth(a.from) > depth(b.from) : depth(a.from) < depth(b.from);
        });
    std::vector<std::string> subfolders;
    assets::list_folders(plan.old_folder, subfolders, progress);
    plan.old_subfolders.assign(subfolders.begin() + 1, subfolders.end());
    return true;
}

void run_rename(const rename_plan& plan, std::string_view old_package, std::string_view new_package,
                apply_result& result, const assets::progress_callback& progress) {
    // Empty folders of the old package come along too.
    for (const std::string& sub : plan.old_subfolders)
        platform::make_directories(plan.new_folder + sub.substr(plan.old_folder.size()));

    std::set<std::string> emptied(plan.old_subfolders.begin(), plan.old_subfolders.end());
    for (const file_step& step : plan.steps) {
        if (progress) progress();
        const bool moving = step.to != step.from;
        if (step.rewrite) {
            std::string bytes;
            if (!platform::read_file(step.from, bytes)) {
                if (platform::file_exists(step.from))  // one that vanished meanwhile is no loss
                    result.problems.push_back({apply_problem_kind::unreadable, step.from});
                continue;
            }
            std::string renamed = renamed_package_text(bytes, old_package, new_package);
            if (renamed != bytes) {
                // Rewritten in place first, so that the move below is a plain rename and no
                // step leaves the file half written or in two places.
                if (!platform::write_file_safely(step.from, renamed)) {
                    result.problems.push_back({apply_problem_kind::unwritable, step.from});
                    continue;
                }
                ++result.files_rewritten;
            }
        }
        if (!moving) continue;
        emptied.insert(parent_folder(step.from));
        if (!text::iequals_ascii(step.to, step.from) && platform::file_exists(step.to)) {
            result.problems.push_back({apply_problem_kind::in_the_way, step.to});
            continue;
        }
        platform::make_directories(parent_folder(step.to));
        if (platform::move_file(step.from, step.to))
            ++result.files_moved;
        else
            result.problems.push_back({apply_problem_kind::not_moved, step.from});
    }

    // Remove the emptied old folders, innermost first, then the old package's own folders up to
    // "src"; a folder that still holds anything stays.
    std::vector<std::string> folders(emptied.begin(), emptied.end());
    std::stable_sort(
        folders.begin(), folders.end(),
        [](const std::string& a, const std::string& b) { return depth(a) > depth(b); });
    for (const std::string& f : folders)
        if (starts_with_ignoring_case(f, plan.old_folder + "\\")) platform::remove_directory(f);
    for (std::string f = plan.old_folder; starts_with_ignoring_case(f, plan.src_folder + "\\");
         f = parent_folder(f)) {
        if (!platform::remove_directory(f)) break;  // its parents hold it, so they stay too
    }
}

// ---- the string resources ----------------------------------------------------------------

bool write_if_changed(const std::string& path, const std::string& before, const std::string& after,
                      apply_result& result) {
    if (after == before) return false;
    if (!platform::write_file_safely(path, after)) {
        result.problems.push_back({apply_problem_kind::unwritable, path});
        return false;
    }
    ++result.files_rewritten;
    return true;
}

// The app name in the string resource the label points to (strings.xml when it holds the key,
// otherwise setup.xml), and BASIC!'s run_name beside it.
void apply_label_string(const project_state& state, std::string_view label, apply_result& result) {
    const std::size_t at = label.find("@string/");
    if (at == std::string_view::npos) return;
    const std::string start = string_start(label.substr(at + 8));
    const std::string strings_path = state.project_folder + "res\\values\\strings.xml";
    const std::string setup_path = state.project_folder + "res\\values\\setup.xml";
    std::string path, before;
    // The same presence test as loading, so that the name goes where it was read from.
    if (platform::read_file(strings_path, before) &&
        text::to_lower_ascii(before).find(start) != std::string::npos)
        path = strings_path;
    else if (platform::read_file(setup_path, before))
        path = setup_path;
    else
        return;  // nothing to change, and no file is created

    const std::string old_name = text::text_between(before, start, kStringEnd);
    const std::string new_name = written_value(state.app_name, old_name, false);
    result.app_name_written = new_name;
    if (old_name == new_name) return;
    std::string after = text::replace_text(before, start + old_name + std::string(kStringEnd),
                                           start + new_name + std::string(kStringEnd));
    bool run_name = false;
    if (state.project_kind == kind_basic) {
        const std::string run_start = string_start("run_name");
        const std::size_t from = after.find(run_start);
        const std::size_t to =
            from == std::string::npos ? std::string::npos : after.find(kStringEnd, from);
        if (to != std::string::npos) {
            const std::string stretch = after.substr(from, to - from) + std::string(kStringEnd);
            const std::string updated = run_start + new_name + std::string(kStringEnd);
            run_name = stretch != updated;
            after = text::replace_text(after, stretch, updated);
        }
    }
    if (write_if_changed(path, before, after, result)) {
        result.label_changed = true;
        result.run_name_changed = run_name;
    }
}

// BASIC!'s version string: the version name padded with zeros to five characters.
void apply_basic_version(const project_state& state, apply_result& result) {
    if (state.project_kind != kind_basic) return;
    const std::string path = state.project_folder + "res\\values\\setup.xml";
    std::string before;
    if (!platform::read_file(path, before)) return;  // never created here
    const std::string start = string_start("version");
    const std::string old_value = text::text_between(before, start, kStringEnd);
    const std::string new_value =
        text::left_pad_zeros(state.version_name, 5) == old_value
            ? old_value
            : text::left_pad_zeros(xml_escaped(state.version_name, false), 5);
    if (old_value == new_value) return;
    const std::string after =
        text::replace_text(before, start + old_value + std::string(kStringEnd),
                           start + new_value + std::string(kStringEnd));
    if (write_if_changed(path, before, after, result)) result.basic_version_changed = true;
}

}  // namespace

// ---- the pieces ------------------------------------------------------------------------------

std::string xml_escaped(std::string_view value, bool in_attribute) {
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '<') {
            out += "&lt;";
        } else if (c == '"' && in_attribute) {
            out += "&quot;";
        } else if (c == '&') {
            // A reference is "&name;", "&#digits;" or "&#xhex;".
            std::size_t j = i + 1;
            bool reference = false;
            if (j < value.size() && value[j] == '#') {
                ++j;
                const bool hex = j < value.size() && (value[j] == 'x' || value[j] == 'X');
                if (hex) ++j;
                const std::size_t digits = j;
                while (j < value.size() &&
                       (std::isdigit(static_cast<unsigned char>(value[j])) ||
                        (hex && std::isxdigit(static_cast<unsigned char>(value[j])))))
                    ++j;
                reference = j > digits && j < value.size() && value[j] == ';';
            } else {
                const std::size_t name = j;
                while (j < value.size() && (std::isalnum(static_cast<unsigned char>(value[j])) ||
                                            value[j] == '_' || value[j] == '.' || value[j] == '-'))
                    ++j;
                reference = j > name && !std::isdigit(static_cast<unsigned char>(value[name])) &&
                            j < value.size() && value[j] == ';';
            }
            out += reference ? "&" : "&amp;";
        } else {
            out += c;
        }
    }
    return out;
}

bool is_valid_package_name(std::string_view name) {
    if (name.empty()) return false;
    bool part_empty = true;
    for (char c : name) {
        if (c == '.') {
            if (part_empty) return false;
            part_empty = true;
        } else if (is_identifier_char(c)) {
            part_empty = false;
        } else {
            return false;
        }
    }
    return !part_empty;
}

std::string renamed_package_text(std::string_view text, std::string_view old_package,
                                 std::string_view new_package) {
    if (old_package.empty() || old_package == new_package) return std::string(text);
    // Where the old name stands inside the new one: an occurrence of the old name at those
    // offsets of a whole new name already reads as the new name.
    std::vector<std::size_t> inside;
    for (std::size_t k = 0; k + old_package.size() <= new_package.size(); ++k)
        if (new_package.substr(k, old_package.size()) == old_package) inside.push_back(k);

    const auto whole_name = [&text](std::size_t pos, std::size_t length) {
        const bool before_ok =
            pos == 0 || (!is_identifier_char(text[pos - 1]) && text[pos - 1] != '.');
        const bool after_ok =
            pos + length >= text.size() || !is_identifier_char(text[pos + length]);
        return before_ok && after_ok;
    };
    const auto reads_as_new = [&](std::size_t hit) {
        for (std::size_t k : inside) {
            if (hit < k) continue;
            const std::size_t q = hit - k;
            if (text.substr(q, new_package.size()) == new_package &&
                whole_name(q, new_package.size()))
                return true;
        }
        return false;
    };

    std::string out;
    std::size_t copied = 0;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t hit = text.find(old_package, pos);
        if (hit == std::string_view::npos) break;
        if (whole_name(hit, old_package.size()) && !reads_as_new(hit)) {
            if (out.empty()) out.reserve(text.size() + 64);
            out.append(text.substr(copied, hit - copied));
            out.append(new_package);
            copied = pos = hit + old_package.size();
        } else {
            pos = hit + 1;
        }
    }
    if (copied == 0) return std::string(text);
    out.append(text.substr(copied));
    return out;
}

std::string manifest_with_permissions(std::string_view manifest, const permission_flags& chosen,
                                      bool* placed) {
    if (placed) *placed = true;
    const std::string eol = manifest.find('\r') != std::string_view::npos ? "\r\n" : "\n";
    std::string block;
    for (int i = 0; i < kPermissionCount; ++i)
        if (chosen[i]) block += uses_permission_line(i) + eol;

    const std::string scan = without_comments(manifest);  // same positions, comments blanked
    const std::vector<span> elements = table_permission_elements(scan);

    // What to cut: the elements that share their lines only with blanks (and each other) go
    // with those whole lines; any other element goes alone, the rest of its line stays.
    std::vector<span> cuts;
    bool first_whole_line = false;
    for (std::size_t i = 0; i < elements.size();) {
        std::size_t j = i;
        while (
            j + 1 < elements.size() &&
            all_blank(manifest.substr(elements[j].end, elements[j + 1].begin - elements[j].end)) &&
            manifest.substr(elements[j].end, elements[j + 1].begin - elements[j].end).find('\r') ==
                std::string_view::npos)
            ++j;
        const std::size_t ls = line_start(manifest, elements[i].begin);
        const std::size_t le = line_end(manifest, elements[j].end);
        const bool alone = all_blank(manifest.substr(ls, elements[i].begin - ls)) &&
                           all_blank(manifest.substr(elements[j].end, le - elements[j].end));
        if (alone) {
            cuts.push_back({ls, le < manifest.size() ? le + 1 : le});
            if (i == 0) first_whole_line = true;
        } else {
            for (std::size_t k = i; k <= j; ++k) cuts.push_back(elements[k]);
        }
        i = j + 1;
    }

    std::string out;
    out.reserve(manifest.size() + block.size());
    std::size_t copied = 0;
    for (const span& cut : cuts) {
        out.append(manifest.substr(copied, cut.begin - copied));
        copied = cut.end;
    }
    out.append(manifest.substr(copied));
    if (block.empty()) return out;

    std::size_t at;
    bool needs_break = false;
    if (!cuts.empty()) {
        at = first_whole_line ? cuts.front().begin
                              : block_position(out, cuts.front().begin, needs_break);
    } else {
        // No table permission yet: after the line of the manifest start tag.
        const std::string out_scan = without_comments(out);
        std::size_t tag = 0;
        for (;;) {
            tag = text::ifind(out_scan, "<manifest", tag);
            if (tag == std::string::npos) break;
            const std::size_t after = tag + 9;
            if (after < out_scan.size() && (is_blank(out_scan[after]) || out_scan[after] == '>' ||
                                            out_scan[after] == '\r' || out_scan[after] == '\n'))
                break;
            tag = after;
        }
        const std::size_t gt = tag == std::string::npos ? tag : out_scan.find('>', tag);
        if (gt == std::string::npos) {
            if (placed) *placed = false;
            return out;
        }
        const std::size_t lf = out.find('\n', gt);
        if (lf != std::string::npos) {
            at = lf + 1;
        } else {
            at = gt + 1;
            needs_break = true;
        }
    }
    out.insert(at, needs_break ? eol + block : block);
    return out;
}

// ---- applying ----------------------------------------------------------------------------------

apply_result apply_project_changes(const project_state& state,
                                   const assets::progress_callback& progress) {
    apply_result result;
    const std::string& folder = state.project_folder;
    const std::string manifest_path = folder + "AndroidManifest.xml";
    std::string original;
    if (!platform::read_file(manifest_path, original)) {
        result.problems.push_back({apply_problem_kind::unreadable, manifest_path});
        return result;
    }
    std::string text = normalise_manifest(original);
    bool changed = false;

    // Attributes: every occurrence of the old name="value" takes the new value.
    const std::string old_package = attribute_value(text, "package");
    result.old_package = old_package;
    const std::pair<const char*, const std::string*> attributes[] = {
        {"package", &state.package_name},
        {"android:versionName", &state.version_name},
        {"android:versionCode", &state.version_code},
        {"android:minSdkVersion", &state.min_sdk},
        {"android:targetSdkVersion", &state.target_sdk},
    };
    const bool rename = state.package_name != old_package;
    if (rename && !is_valid_package_name(state.package_name)) {
        result.problems.push_back({apply_problem_kind::invalid_package, state.package_name});
        return result;
    }
    for (const auto& [name, value] : attributes) {
        const std::string old_value = attribute_value(text, name);
        const std::string new_value = written_value(*value, old_value, true);
        if (new_value == old_value) continue;
        const std::string marker = std::string(name) + "=\"";
        text = text::replace_text(text, marker + old_value + "\"", marker + new_value + "\"");
        changed = true;  // also when the attribute is missing: nothing is added then
    }

    // Permission elements, when the choice differs from what the manifest grants.
    if (granted_permissions(text) != state.saved_permissions) {
        bool placed = true;
        text = manifest_with_permissions(text, state.saved_permissions, &placed);
        if (!placed)
            result.problems.push_back({apply_problem_kind::no_manifest_tag, manifest_path});
        result.permissions_changed = changed = true;
    }

    // A literal label is the app name itself.
    const std::string label = attribute_value(text, "android:label");
    const bool literal_label = label.find("@string/") == std::string::npos;
    result.app_name_written = literal_label ? written_value(state.app_name, label, true)
                                            : state.app_name;  // settled by the string step
    if (literal_label && label != result.app_name_written) {
        text = text::replace_text(text, "android:label=\"" + label + "\"",
                                  "android:label=\"" + result.app_name_written + "\"");
        changed = true;
    }

    // The package rename is planned before anything is written, so that a file in the way stops
    // the whole apply instead of leaving half a rename.
    rename_plan plan;
    const bool move_sources = rename && is_valid_package_name(old_package);
    if (move_sources) text = renamed_package_text(text, old_package, state.package_name);
    if (move_sources) {
        std::string blocking;
        if (!plan_rename(folder, old_package, state.package_name, plan, blocking, progress)) {
            result.problems.push_back({apply_problem_kind::in_the_way, blocking});
            return result;
        }
    }

    if (changed) {
        if (text != original) {
            if (!platform::write_file_safely(manifest_path, text)) {
                result.problems.push_back({apply_problem_kind::unwritable, manifest_path});
                return result;  // the project stays as it was
            }
            ++result.files_rewritten;
        }
        result.manifest_changed = true;
        assets::delete_folder_tree(folder + ".avlo", progress);
    }

    apply_label_string(state, label, result);
    apply_basic_version(state, result);

    // An old value that is no package (or none) has no sources to move: only the attribute
    // changes then.
    if (move_sources) {
        run_rename(plan, old_package, state.package_name, result, progress);
        result.package_renamed = true;
    }
    return result;
}

std::string problems_text(const apply_result& result) {
    std::string out;
    for (const apply_problem& p : result.problems) {
        if (!out.empty()) out += '\r';
        switch (p.kind) {
            case apply_problem_kind::unreadable:
                out += "Could not read " + p.path;
                break;
            case apply_problem_kind::unwritable:
                out += "Could not write " + p.path + " (it keeps its previous content)";
                break;
            case apply_problem_kind::not_moved:
                out += "Could not move " + p.path + " to the new package folder";
                break;
            case apply_problem_kind::in_the_way:
                out += "A file is in the way of the package rename: " + p.path;
                break;
            case apply_problem_kind::invalid_package:
                out += "Not a valid package name: " + p.path;
                break;
            case apply_problem_kind::no_manifest_tag:
                out += "No manifest start tag to put the permissions after in " + p.path;
                break;
        }
    }
    return out;
}

}  // namespace project
