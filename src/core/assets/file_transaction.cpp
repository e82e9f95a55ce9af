#include "core/assets/file_transaction.h"

#include <algorithm>

#include "platform/platform.h"

namespace assets {
namespace {

std::string parent_of(const std::string& path) {
    const std::size_t cut = path.find_last_of('\\');
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

void report(const progress_callback& progress) {
    if (progress) progress();
}

// Makes a folder with its missing parents, noting each one made (outermost first).
bool make_folder(const std::string& folder, std::vector<std::string>& made) {
    std::vector<std::string> missing;
    for (std::string f = folder; !f.empty() && !platform::file_exists(f); f = parent_of(f))
        missing.push_back(f);
    if (missing.empty()) return platform::is_directory(folder);
    if (!platform::make_directories(folder)) return false;
    made.insert(made.end(), missing.rbegin(), missing.rend());
    return true;
}

// Takes back what the preparation did: the staged files and the folders made for them.
void undo(const std::vector<std::string>& staged, const std::vector<std::string>& made) {
    for (const std::string& s : staged)
        if (!s.empty()) platform::remove_file(s);
    for (auto it = made.rbegin(); it != made.rend(); ++it) platform::remove_directory(*it);
}

}  // namespace

transaction_result commit_transaction(const file_transaction& transaction,
                                      const progress_callback& progress) {
    transaction_result result;
    const std::vector<file_change>& changes = transaction.changes;
    const auto all_unchanged = [&result, &changes] {
        for (const file_change& c : changes) result.unchanged.push_back(c.target);
    };

    // A file marked read-only is not to be changed: nothing is.
    for (const file_change& c : changes) {
        for (const std::string* p : {&c.target, &c.from}) {
            if (!p->empty() && platform::is_read_only(*p)) {
                result.failed = *p;
                all_unchanged();
                return result;
            }
        }
    }

    // Preparation: folders, then every new text under a fresh name beside its target.
    std::vector<std::string> made;
    std::vector<std::string> folders = transaction.new_folders;
    for (const file_change& c : changes) folders.push_back(parent_of(c.target));
    for (const std::string& f : folders) {
        if (!make_folder(f, made)) {
            undo({}, made);
            result.failed = f;
            all_unchanged();
            return result;
        }
    }
    std::vector<std::string> staged(changes.size());
    std::vector<std::string> to_flush;
    for (std::size_t i = 0; i < changes.size(); ++i) {
        report(progress);
        if (!changes[i].rewritten) continue;
        staged[i] = platform::stage_file(changes[i].target, changes[i].bytes);
        if (staged[i].empty()) {
            undo(staged, made);
            result.failed = changes[i].target;
            all_unchanged();
            return result;
        }
        to_flush.push_back(staged[i]);
    }
    if (!platform::flush_files(to_flush)) {
        undo(staged, made);
        // The user knows the files by their own names, not by their staged ones.
        for (std::size_t i = 0; i < changes.size() && result.failed.empty(); ++i)
            if (!staged[i].empty()) result.failed = changes[i].target;
        all_unchanged();
        return result;
    }

    // The swap.
    for (std::size_t i = 0; i < changes.size(); ++i) {
        report(progress);
        const file_change& c = changes[i];
        const bool moved = c.rewritten ? platform::move_file(staged[i], c.target)
                                       : platform::move_file(c.from, c.target);
        if (!moved) {
            result.failed = c.target;
            for (std::size_t k = i; k < changes.size(); ++k) {
                result.unchanged.push_back(changes[k].target);
                if (!staged[k].empty()) platform::remove_file(staged[k]);
            }
            // Folders made for files that did not come stay only while a changed file is in
            // them: removing a folder that is not empty fails.
            for (auto it = made.rbegin(); it != made.rend(); ++it) platform::remove_directory(*it);
            return result;
        }
        result.changed.push_back(c.target);
        if (c.rewritten && !c.from.empty() && !platform::remove_file(c.from))
            result.stale.push_back(c.from);
    }
    for (const std::string& old : transaction.leftovers)
        if (!platform::remove_file(old)) result.stale.push_back(old);
    for (const std::string& f : transaction.emptied_folders) platform::remove_directory(f);
    result.completed = true;
    return result;
}

}  // namespace assets
