#include "core/assets/project_writes.h"

#include "core/assets/file_transaction.h"
#include "core/assets/project_paths.h"
#include "core/text/text_helpers.h"
#include "platform/platform.h"

namespace assets {
namespace {

bool below(const std::string& folder, const std::string& path) {
    const std::string base = text::with_one_trailing_backslash(folder);
    return path.size() > base.size() && text::iequals_ascii(path.substr(0, base.size()), base) &&
           is_inside_relative_path(path.substr(base.size()));
}

write_outcome nothing_changed(const std::vector<new_file>& files, write_stop stop,
                              const std::string& at) {
    write_outcome outcome;
    outcome.stop = stop;
    outcome.at = at;
    for (const new_file& f : files) outcome.unchanged.push_back(f.path);
    return outcome;
}

std::string quoted(const std::string& path) {
    return "\"" + path + "\"";
}

std::string listed(const std::vector<std::string>& paths) {
    std::string text;
    for (const std::string& p : paths) text += "\r" + quoted(p);
    return text;
}

}  // namespace

write_outcome write_project_files(const std::string& project_folder,
                                  const std::vector<new_file>& files) {
    if (!files.empty() && !platform::is_directory(project_folder))
        return nothing_changed(files, write_stop::not_written, project_folder);
    for (const new_file& f : files) {
        if (!below(project_folder, f.path))
            return nothing_changed(files, write_stop::outside, f.path);
        const std::string link = link_on_the_way(project_folder, f.path, true);
        if (!link.empty()) return nothing_changed(files, write_stop::behind_link, link);
        if (platform::is_read_only(f.path))
            return nothing_changed(files, write_stop::read_only, f.path);
    }
    // A file that another program holds without sharing cannot be read either: finding that
    // out now keeps the swap from stopping half-way through.
    for (const new_file& f : files) {
        std::string old;
        if (platform::file_exists(f.path) && !platform::is_directory(f.path) &&
            !platform::read_file(f.path, old))
            return nothing_changed(files, write_stop::in_use, f.path);
    }

    file_transaction transaction;
    for (const new_file& f : files) transaction.changes.push_back({f.path, f.bytes, true, ""});
    const transaction_result r = commit_transaction(transaction);
    write_outcome outcome;
    outcome.changed = r.changed;
    outcome.unchanged = r.unchanged;
    if (!r.completed) {
        outcome.at = r.failed;
        outcome.stop = r.changed.empty() ? write_stop::not_written : write_stop::interrupted;
    }
    return outcome;
}

std::string write_problem_text(const write_outcome& outcome) {
    const std::string at = quoted(outcome.at);
    switch (outcome.stop) {
        case write_stop::none: return "";
        case write_stop::outside:
            return at + "\rThis path leads out of the project: nothing was changed.";
        case write_stop::behind_link:
            return at +
                   "\rThis is a link to another place: nothing was written through it, and the "
                   "project was left as it was.";
        case write_stop::read_only: return at + "\rThis file is read-only: nothing was changed.";
        case write_stop::in_use:
            return at + "\rThis file is in use by another program: nothing was changed.";
        case write_stop::not_written:
            return at +
                   "\rThis could not be written (the disk may be full, the folder protected or the "
                   "file in use): nothing was changed.";
        case write_stop::interrupted:
            return at + "\rThis file could not be replaced (it may be in use). Changed:" +
                   listed(outcome.changed) + "\rLeft as they were:" + listed(outcome.unchanged);
    }
    return "";
}

}  // namespace assets
