#include "core/assets/file_tree.h"

#include "core/text/text_helpers.h"
#include "platform/platform.h"

namespace assets {
namespace {

// One pattern without ";": "*" and "?" with backtracking to the last star.
bool wildcard_match(std::string_view name, std::string_view pattern) {
    std::size_t n = 0, p = 0;
    std::size_t star = std::string_view::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || text::lower_ascii(pattern[p]) ==
                                                                   text::lower_ascii(name[n]))) {
            ++p;
            ++n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

void report(const progress_callback& progress) {
    if (progress) progress();
}

void collect_files(const std::string& folder, std::string_view pattern,
                   std::vector<file_record>& files, const progress_callback& progress) {
    std::vector<platform::dir_entry> entries;
    if (!platform::list_directory(folder, entries)) return;  // unsearchable: contributes nothing
    std::vector<std::string> subfolders;
    for (const platform::dir_entry& e : entries) {
        if (e.is_directory) {
            if (!e.is_link) subfolders.push_back(folder + e.name + "\\");
        } else if (name_matches(e.name, pattern)) {
            file_record record;
            record.path = folder + e.name;
            record.is_hidden = e.is_hidden;
            record.is_system = e.is_system;
            record.is_read_only = e.is_read_only;
            record.is_link = e.is_link;
            files.push_back(std::move(record));
        }
        report(progress);
    }
    for (const std::string& sub : subfolders) collect_files(sub, pattern, files, progress);
}

// Whether the folder is itself a junction or symbolic link, seen from its parent's listing
// (which is the only view of a link that does not follow it).
bool is_linked_folder(const std::string& folder) {
    const std::size_t cut = folder.find_last_of('\\');
    if (cut == std::string::npos || cut + 1 >= folder.size()) return false;
    const std::string parent = folder.substr(0, cut);
    const std::string name = folder.substr(cut + 1);
    std::vector<platform::dir_entry> entries;
    if (!platform::list_directory(parent.empty() ? "\\" : parent, entries)) return false;
    for (const platform::dir_entry& e : entries)
        if (e.name == name) return e.is_link;
    for (const platform::dir_entry& e : entries)  // Windows names ignore letter case
        if (text::iequals_ascii(e.name, name)) return e.is_link;
    return false;
}

// Deletes what may be deleted below the folder, children first; a folder is removed once its
// own contents are gone (the removal simply fails while anything stays in it).
void delete_contents(const std::string& folder, const progress_callback& progress) {
    std::vector<platform::dir_entry> entries;
    if (!platform::list_directory(folder, entries)) return;
    for (const platform::dir_entry& e : entries) {
        const std::string path = folder + "\\" + e.name;
        const bool protected_entry = e.is_hidden || e.is_system;
        if (e.is_directory && e.is_link) {
            if (!protected_entry) platform::remove_directory(path);  // the link, not its target
        } else if (e.is_directory) {
            delete_contents(path, progress);
            if (!protected_entry) platform::remove_directory(path);  // fails when not empty
        } else if (!protected_entry && !e.is_read_only) {
            platform::remove_file(path);
        }
        report(progress);
    }
}

}  // namespace

bool name_matches(std::string_view name, std::string_view pattern) {
    std::size_t from = 0;
    for (;;) {
        const std::size_t semicolon = pattern.find(';', from);
        std::string one = text::trim_spaces(pattern.substr(
            from, semicolon == std::string_view::npos ? std::string_view::npos : semicolon - from));
        if (one == "*.*" || (!one.empty() && wildcard_match(name, one))) return true;
        if (semicolon == std::string_view::npos) return false;
        from = semicolon + 1;
    }
}

std::size_t list_folders(std::string_view root, std::vector<std::string>& folders,
                         const progress_callback& progress) {
    folders.clear();
    folders.push_back(text::without_trailing_backslashes(root));
    std::vector<platform::dir_entry> entries;
    for (std::size_t i = 0; i < folders.size() && !folders[i].empty(); ++i) {
        if (!platform::list_directory(folders[i], entries)) continue;
        for (const platform::dir_entry& e : entries) {
            if (e.is_directory && !e.is_hidden && !e.is_system && !e.is_link)
                folders.push_back(folders[i] + "\\" + e.name);
        }
        report(progress);
    }
    return folders.size() - 1;
}

std::size_t list_files(std::string_view folder, std::vector<file_record>& files,
                       std::string_view pattern, const progress_callback& progress) {
    files.clear();
    std::string start(folder);
    if (start.empty()) return 0;
    if (start.back() != '\\') start += '\\';
    collect_files(start, pattern, files, progress);
    return files.size();
}

void delete_folder_tree(std::string_view folder, const progress_callback& progress) {
    const std::string root = text::without_trailing_backslashes(folder);
    if (root.empty() || !platform::file_exists(root)) return;
    if (is_linked_folder(root)) {
        platform::remove_directory(root);
        return;
    }
    if (!platform::is_directory(root)) return;
    delete_contents(root, progress);
    platform::remove_directory(root);
}

}  // namespace assets
