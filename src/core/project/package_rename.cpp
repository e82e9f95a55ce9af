#include "core/project/package_rename.h"

#include <algorithm>
#include <set>

#include "core/assets/project_layout.h"
#include "core/assets/project_paths.h"
#include "core/text/text_helpers.h"
#include "platform/platform.h"

namespace project {
namespace {

bool is_identifier_char(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '$' || u >= 0x80;  // bytes of UTF-8 letters count as letters
}

std::string dotted_to_folder(std::string_view package) {
    std::string out(package);
    std::replace(out.begin(), out.end(), '.', '\\');
    return out;
}

std::size_t depth(std::string_view path) {
    return std::count(path.begin(), path.end(), '\\');
}

bool has_extension(std::string_view path, std::string_view extension) {
    return path.size() > extension.size() &&
           text::iequals_ascii(path.substr(path.size() - extension.size()), extension);
}

bool is_source_text(std::string_view path) {
    return has_extension(path, ".xml") || has_extension(path, ".java");
}

std::string parent_folder(std::string_view path) {
    const std::size_t cut = path.find_last_of('\\');
    return std::string(cut == std::string_view::npos ? std::string_view() : path.substr(0, cut));
}

constexpr std::string_view kJournalHeader = "vexlo package rename";

struct planned_move {
    std::string from;
    std::string to;
};

}  // namespace

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

file_edit* edit_of(file_edits& edits, const std::string& path) {
    const std::string key = text::to_lower_ascii(path);
    const auto found = edits.find(key);
    if (found != edits.end()) return &found->second;
    std::string bytes;
    if (!platform::read_file(path, bytes)) return nullptr;
    file_edit& e = edits[key];
    e.path = path;
    e.original = bytes;
    e.text = std::move(bytes);
    return &e;
}

std::string journal_path(const std::string& project_folder) {
    return project_folder + assets::kRenameJournal;
}

std::string journal_text(const rename_journal& journal) {
    std::string out =
        std::string(kJournalHeader) + "\nfrom\t" + journal.from + "\nto\t" + journal.to + "\n";
    for (const auto& [from, to] : journal.moves) out += "move\t" + from + "\t" + to + "\n";
    return out;
}

bool parse_journal(std::string_view text, rename_journal& journal) {
    journal = {};
    std::vector<std::string> lines = text::split_lines(text);
    if (lines.empty() || lines[0] != kJournalHeader) return false;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.empty()) continue;
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos) return false;
        const std::string key = line.substr(0, tab);
        const std::string rest = line.substr(tab + 1);
        if (key == "from") {
            journal.from = rest;
        } else if (key == "to") {
            journal.to = rest;
        } else if (key == "move") {
            const std::size_t second = rest.find('\t');
            if (second == std::string::npos) return false;
            journal.moves.emplace_back(rest.substr(0, second), rest.substr(second + 1));
        } else {
            return false;
        }
    }
    if (!is_valid_package_name(journal.from) || !is_valid_package_name(journal.to)) return false;
    // A move goes from the old package's folder to the same place in the new one, nowhere else.
    const std::string old_folder = assets::kSrcFolder + dotted_to_folder(journal.from) + "\\";
    const std::string new_folder = assets::kSrcFolder + dotted_to_folder(journal.to) + "\\";
    for (const auto& [from, to] : journal.moves) {
        if (!assets::is_inside_relative_path(from) ||
            !text::starts_with_ignoring_case(from, old_folder) ||
            to != new_folder + from.substr(old_folder.size()))
            return false;
    }
    return true;
}

bool read_journal(const std::string& project_folder, rename_journal& journal) {
    std::string bytes;
    return platform::read_file(journal_path(project_folder), bytes) &&
           parse_journal(bytes, journal);
}

namespace {

// What the steps of one rename plan share.
struct rename_context {
    const std::string& project_folder;
    std::string_view old_package;
    std::string_view new_package;
    const rename_journal* resume;
    const assets::progress_callback& progress;
    std::string src;         // the project's source folder, without its backslash
    std::string old_folder;  // the old package's folder, without its backslash
    std::string new_folder;
};

// The moves to make: a resumed journal's, or every file below the old package's folder, in an
// order where no target is a source still to move. "" or the link a move would go through.
std::string planned_moves(const rename_context& r, const std::vector<assets::file_record>& files,
                          std::vector<planned_move>& moves) {
    if (r.resume) {
        for (const auto& [from, to] : r.resume->moves) {
            const planned_move m{r.project_folder + from, r.project_folder + to};
            for (const std::string* p : {&m.from, &m.to}) {
                const std::string link = assets::link_on_the_way(r.project_folder, *p, false);
                if (!link.empty()) return link;
            }
            moves.push_back(m);
        }
        return "";
    }
    for (const assets::file_record& f : files)
        if (text::starts_with_ignoring_case(f.path, r.old_folder + "\\"))
            moves.push_back({f.path, r.new_folder + f.path.substr(r.old_folder.size())});
    // A target that is itself a source lies deeper when the new folder is inside the old one
    // (com.example.app to com.example.app.pro), higher when it is the other way round.
    const bool deeper = text::starts_with_ignoring_case(r.new_folder, r.old_folder + "\\");
    std::stable_sort(
        moves.begin(), moves.end(), [deeper](const planned_move& a, const planned_move& b) {
            return deeper ? depth(a.from) > depth(b.from) : depth(a.from) < depth(b.from);
        });
    return "";
}

// The files that stay: their text takes the new name.
void rename_in_staying_files(const rename_context& r, const std::vector<assets::file_record>& files,
                             const std::set<std::string>& sources, file_edits& edits) {
    const std::string work_folder = r.project_folder + assets::kWorkFolder;
    const std::string journal = journal_path(r.project_folder);
    for (const assets::file_record& f : files) {
        if (f.is_link || !is_source_text(f.path) ||
            text::starts_with_ignoring_case(f.path, work_folder) ||
            text::iequals_ascii(f.path, journal) || sources.count(text::to_lower_ascii(f.path)))
            continue;
        if (r.progress) r.progress();
        if (file_edit* e = edit_of(edits, f.path))
            e->text = renamed_package_text(e->text, r.old_package, r.new_package);
    }
}

// One file that moves, its new text read and made.
struct moving_file {
    bool link = false;
    bool unreadable = false;  // a source that could not be read
    bool rewritten = false;
    std::string original;
    std::string renamed;
};

moving_file read_moving_file(const rename_context& r, const planned_move& m) {
    moving_file f;
    f.link = platform::is_link(m.from);
    if (f.link || !is_source_text(m.from)) return f;
    // Moved unread, a source would land in the new package still naming the old one.
    f.unreadable = !platform::read_file(m.from, f.original);
    if (f.unreadable) return f;
    f.renamed = renamed_package_text(f.original, r.old_package, r.new_package);
    f.rewritten = f.renamed != f.original;
    return f;
}

// A move that stopped before the old place was left: the new file stands already, as it would.
bool moved_but_not_left(const planned_move& m, const moving_file& f) {
    std::string there;
    std::string expected = f.rewritten ? f.renamed : f.original;
    return !f.link && platform::read_file(m.to, there) &&
           (f.rewritten || platform::read_file(m.from, expected)) && there == expected;
}

// The files that move, with their new texts; false, with the refusal in the plan, when a file
// stands in the way of one.
bool plan_moves(const rename_context& r, const std::vector<planned_move>& moves,
                const std::set<std::string>& sources, rename_plan& plan,
                std::set<std::string>& emptied) {
    const auto noted = [&](const planned_move& m) {
        plan.journal.moves.emplace_back(m.from.substr(r.project_folder.size()),
                                        m.to.substr(r.project_folder.size()));
    };
    for (std::size_t i = 0; i < moves.size(); ++i) {
        const planned_move& m = moves[i];
        if (!platform::file_exists(m.from)) continue;  // moved already
        if (r.progress) r.progress();
        moving_file f = read_moving_file(r, m);
        if (f.unreadable) {
            plan.refusal = rename_refusal::unreadable;
            plan.refused_path = m.from;
            return false;
        }
        emptied.insert(parent_folder(m.from));
        if (platform::file_exists(m.to) && !sources.count(text::to_lower_ascii(m.to))) {
            if (moved_but_not_left(m, f)) {
                plan.leftovers.push_back(m.from);
                noted(m);
                continue;
            }
            // Resumed: the old place was taken by a later move, so this one was done.
            const bool taken =
                r.resume &&
                std::any_of(moves.begin() + i + 1, moves.end(), [&m](const planned_move& later) {
                    return text::iequals_ascii(later.to, m.from);
                });
            if (taken) continue;
            plan.refusal = rename_refusal::in_the_way;
            plan.refused_path = m.to;
            return false;
        }
        assets::file_change change;
        change.target = m.to;
        change.from = m.from;
        change.rewritten = f.rewritten;
        if (f.rewritten) change.bytes = std::move(f.renamed);
        plan.moves.push_back(std::move(change));
        noted(m);
    }
    return true;
}

// Folders: empty ones of the old package come along; the old ones go when emptied, deepest
// first.
void plan_folders(const rename_context& r, std::set<std::string>& emptied, rename_plan& plan) {
    if (!r.resume) {
        std::vector<std::string> subfolders;
        assets::list_folders(r.old_folder, subfolders, r.progress);
        for (std::size_t k = 1; k < subfolders.size(); ++k) {
            plan.new_folders.push_back(r.new_folder + subfolders[k].substr(r.old_folder.size()));
            emptied.insert(subfolders[k]);
        }
    }
    for (std::string f = r.old_folder; f.size() > r.src.size(); f = parent_folder(f))
        emptied.insert(f);
    plan.emptied_folders.assign(emptied.begin(), emptied.end());
    std::stable_sort(
        plan.emptied_folders.begin(), plan.emptied_folders.end(),
        [](const std::string& a, const std::string& b) { return depth(a) > depth(b); });
}

}  // namespace

rename_plan plan_package_rename(const std::string& project_folder, std::string_view old_package,
                                std::string_view new_package, file_edits& edits,
                                const rename_journal* resume,
                                const assets::progress_callback& progress) {
    const std::string src = text::without_trailing_backslashes(project_folder + assets::kSrcFolder);
    const rename_context r{project_folder,
                           old_package,
                           new_package,
                           resume,
                           progress,
                           src,
                           src + "\\" + dotted_to_folder(old_package),
                           src + "\\" + dotted_to_folder(new_package)};
    rename_plan plan;
    plan.journal.from = std::string(old_package);
    plan.journal.to = std::string(new_package);
    const auto refuse = [&plan](rename_refusal why, const std::string& path) {
        plan.refusal = why;
        plan.refused_path = path;
        return plan;
    };
    // Nothing is moved out of, or into, a folder that is a link out of the project.
    for (const std::string& f : {r.old_folder, r.new_folder}) {
        const std::string link = assets::link_on_the_way(project_folder, f, true);
        if (!link.empty()) return refuse(rename_refusal::behind_a_link, link);
    }
    std::vector<assets::file_record> files;
    assets::list_files(project_folder, files, "*.*", progress);
    std::vector<planned_move> moves;
    const std::string link = planned_moves(r, files, moves);
    if (!link.empty()) return refuse(rename_refusal::behind_a_link, link);
    std::set<std::string> sources;
    for (const planned_move& m : moves) sources.insert(text::to_lower_ascii(m.from));

    rename_in_staying_files(r, files, sources, edits);
    std::set<std::string> emptied;
    if (!plan_moves(r, moves, sources, plan, emptied)) return plan;
    plan_folders(r, emptied, plan);
    return plan;
}

}  // namespace project
