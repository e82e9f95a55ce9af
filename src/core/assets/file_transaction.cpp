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

// Nothing is changed when one of the files is marked read-only: the user keeps it as it is.
bool refuse_read_only(const std::vector<file_change>& changes, transaction_result& result) {
    for (const file_change& c : changes) {
        for (const std::string* p : {&c.target, &c.from}) {
            if (!p->empty() && platform::is_read_only(*p)) {
                result.failed = *p;
                return true;
            }
        }
    }
    return false;
}

// The preparation: the folders, then every new text under a fresh name beside its target, made
// durable in one step. False, with everything taken back and the failure noted, when a step
// failed.
bool prepare(const file_transaction& transaction, std::vector<std::string>& staged,
             std::vector<std::string>& made, transaction_result& result,
             const progress_callback& progress) {
    const std::vector<file_change>& changes = transaction.changes;
    std::vector<std::string> folders = transaction.new_folders;
    for (const file_change& c : changes) folders.push_back(parent_of(c.target));
    for (const std::string& f : folders) {
        if (!make_folder(f, made)) {
            undo({}, made);
            result.failed = f;
            return false;
        }
    }
    staged.assign(changes.size(), std::string());
    std::vector<std::string> to_flush;
    for (std::size_t i = 0; i < changes.size(); ++i) {
        report(progress);
        if (!changes[i].rewritten) continue;
        staged[i] = platform::stage_file(changes[i].target, changes[i].bytes);
        if (staged[i].empty()) {
            undo(staged, made);
            result.failed = changes[i].target;
            return false;
        }
        to_flush.push_back(staged[i]);
    }
    if (platform::flush_files(to_flush)) return true;
    undo(staged, made);
    // The user knows the files by their own names, not by their staged ones.
    for (std::size_t i = 0; i < changes.size() && result.failed.empty(); ++i)
        if (!staged[i].empty()) result.failed = changes[i].target;
    return false;
}

// The swap, file after file. False when one could not take its place: the later ones stay as
// they were, and so do folders made for files that did not come.
bool swap_in(const std::vector<file_change>& changes, const std::vector<std::string>& staged,
             const std::vector<std::string>& made, transaction_result& result,
             const progress_callback& progress) {
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
            // Removing a folder that is not empty fails: those holding a changed file stay.
            for (auto it = made.rbegin(); it != made.rend(); ++it) platform::remove_directory(*it);
            return false;
        }
        result.changed.push_back(c.target);
        if (c.rewritten && !c.from.empty() && !platform::remove_file(c.from))
            result.stale.push_back(c.from);
    }
    return true;
}

}  // namespace

transaction_result commit_transaction(const file_transaction& transaction,
                                      const progress_callback& progress) {
    transaction_result result;
    const auto all_unchanged = [&result, &transaction] {
        for (const file_change& c : transaction.changes) result.unchanged.push_back(c.target);
    };
    std::vector<std::string> staged, made;
    if (refuse_read_only(transaction.changes, result) ||
        !prepare(transaction, staged, made, result, progress)) {
        all_unchanged();
        return result;
    }
    if (!swap_in(transaction.changes, staged, made, result, progress)) return result;
    for (const std::string& old : transaction.leftovers)
        if (!platform::remove_file(old)) result.stale.push_back(old);
    for (const std::string& f : transaction.emptied_folders) platform::remove_directory(f);
    result.completed = true;
    return result;
}

}  // namespace assets
