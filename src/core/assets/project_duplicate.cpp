#include "core/assets/project_duplicate.h"

#include <unordered_set>

#include "core/assets/file_tree.h"
#include "core/assets/project_paths.h"
#include "core/text/text_helpers.h"
#include "platform/platform.h"

namespace assets {
namespace {

// One spelling per folder for the comparisons: "/" as "\", "." and ".." resolved, no trailing
// separators, letters folded (Windows names ignore their case).
std::string folder_key(std::string_view path) {
    std::string key = rejoined_path(path, [](std::string& part, std::vector<std::string>& parts) {
        if (part == "..") {
            if (parts.size() > 1) parts.pop_back();
        } else if (part != "." && !(part.empty() && !parts.empty())) {
            parts.push_back(part);
        }
    });
    while (!key.empty() && key.back() == '\\') key.pop_back();
    return text::to_lower_ascii(key);
}

std::string relative_to(const std::string& path, const std::string& root) {
    if (path.size() > root.size() && path.compare(0, root.size(), root) == 0 &&
        path[root.size()] == '\\')
        return path.substr(root.size() + 1);
    return "";
}

// The paths one per line, a screenful at most, then how many more there are.
std::string listed(const std::vector<std::string>& paths) {
    constexpr std::size_t kShown = 10;
    std::string text;
    for (std::size_t i = 0; i < paths.size() && i < kShown; ++i) text += "\r\"" + paths[i] + "\"";
    if (paths.size() > kShown)
        text += "\r... and " + std::to_string(paths.size() - kShown) + " more";
    return text;
}

std::string parent_of(const std::string& relative) {
    const std::size_t cut = relative.find_last_of('\\');
    return cut == std::string::npos ? "" : relative.substr(0, cut);
}

}  // namespace

duplicate_refusal check_duplicate_target(std::string_view project_folder, std::string_view target) {
    const std::string wanted = text::without_trailing_backslashes(text::trim_spaces(target));
    if (wanted.empty()) return duplicate_refusal::no_target;
    const std::string source_key = folder_key(project_folder);
    const std::string target_key = folder_key(wanted);
    if (target_key == source_key || (target_key.size() > source_key.size() &&
                                     target_key.compare(0, source_key.size(), source_key) == 0 &&
                                     target_key[source_key.size()] == '\\'))
        return duplicate_refusal::inside_project;
    if (platform::file_exists(wanted) && !platform::is_directory(wanted))
        return duplicate_refusal::target_is_file;
    return duplicate_refusal::none;
}

std::string refusal_message(duplicate_refusal refusal, std::string_view target) {
    const std::string quoted = "\"" + std::string(target) + "\"";
    switch (refusal) {
        case duplicate_refusal::inside_project:
            return "The duplicate cannot be placed in the project itself or in one of its "
                   "folders:\r" +
                   quoted + "\r\rPlease choose a folder outside the project.";
        case duplicate_refusal::target_is_file:
            return "A file of this name already exists:\r" + quoted +
                   "\r\rPlease choose a folder name for the duplicate.";
        case duplicate_refusal::no_target: return "Please choose a folder for the duplicate.";
        case duplicate_refusal::none: break;
    }
    return "";
}

duplicate_plan plan_duplicate(std::string_view project_folder, std::string_view target) {
    duplicate_plan plan;
    plan.source = text::without_trailing_backslashes(project_folder);
    plan.target = text::without_trailing_backslashes(target);

    std::vector<std::string> folders;
    list_folders(plan.source, folders);
    std::unordered_set<std::string> copied_folders;
    for (const std::string& folder : folders) {
        std::string relative = folder == plan.source ? "" : relative_to(folder, plan.source);
        if (folder != plan.source && relative.empty()) continue;
        copied_folders.insert(relative);
        plan.folders.push_back(std::move(relative));
    }

    std::vector<file_record> files;
    list_files(plan.source, files, "*.*");
    // The folder walk passes over linked folders in silence; the user hears of them.
    for (const std::string& relative : plan.folders) {
        const std::string folder = relative.empty() ? plan.source : plan.source + "\\" + relative;
        std::vector<platform::dir_entry> entries;
        if (!platform::list_directory(folder, entries)) continue;
        for (const platform::dir_entry& e : entries)
            if (e.is_link && e.is_directory) plan.links.push_back(folder + "\\" + e.name);
    }
    for (const file_record& file : files) {
        if (file.is_link) {  // a link is neither followed nor copied
            if (copied_folders.count(parent_of(relative_to(file.path, plan.source))))
                plan.links.push_back(file.path);
            continue;
        }
        std::string relative = relative_to(file.path, plan.source);
        // Files below a hidden or system folder go with it: that folder is not created.
        if (relative.empty() || !copied_folders.count(parent_of(relative))) continue;
        plan.files.push_back(std::move(relative));
    }
    return plan;
}

namespace {

// Into a new folder every file is new and is copied straight to its name (a copy that fails is
// removed). Into an existing folder a file may replace one of the same name, so it is copied
// under a temporary name and renamed into place: the old file stays whole until the new one is.
bool copied_into_place(const std::string& from, const std::string& to, bool fresh_target) {
    if (fresh_target) {
        const bool copied = platform::copy_file(from, to);
        if (!copied) platform::remove_file(to);
        return copied;
    }
    // The copy goes to a fresh name first, so an older file is only ever replaced whole; a name
    // planted beside it is never opened.
    const std::string partial = platform::stage_copy(from, to);
    const bool copied = !partial.empty() && platform::move_file(partial, to);
    if (!copied && !partial.empty()) platform::remove_file(partial);
    return copied;
}

}  // namespace

duplicate_result duplicate_project(std::string_view project_folder, std::string_view target,
                                   duplicate_observer& observer) {
    duplicate_result result;
    observer.listing();
    const duplicate_plan plan = plan_duplicate(project_folder, target);

    // A new folder takes its files straight; an existing one by a rename into place.
    const bool fresh_target = !platform::file_exists(plan.target);
    platform::make_directories(plan.target);  // an existing folder is used as it is
    result.target_created = platform::is_directory(plan.target);
    observer.range(plan.steps());
    if (!result.target_created) {
        result.failed.push_back(plan.target);
        return result;
    }

    result.links_left_out = plan.links;
    // In a folder that existed before, a link may stand where the copy goes: it is not entered.
    const auto through_link = [&](const std::string& path) {
        return !fresh_target && !link_on_the_way(plan.target, path, true).empty();
    };
    for (const std::string& folder : plan.folders) {
        if (observer.stop_requested()) {
            result.stopped = true;
            return result;
        }
        observer.step();
        ++result.steps_done;
        if (folder.empty()) continue;  // the root: the target itself
        const std::string made = plan.target + "\\" + folder;
        if (through_link(made) || !platform::make_directories(made)) result.failed.push_back(made);
    }

    observer.copying();
    for (const std::string& file : plan.files) {
        if (observer.stop_requested()) {  // only ever between two files
            result.stopped = true;
            return result;
        }
        observer.step();
        ++result.steps_done;
        const std::string to = plan.target + "\\" + file;
        // A read-only file is the user's to keep.
        const bool copied = !through_link(to) && !platform::is_read_only(to) &&
                            copied_into_place(plan.source + "\\" + file, to, fresh_target);
        if (copied)
            ++result.files_copied;
        else
            result.failed.push_back(to);
    }
    return result;
}

std::string duplicate_problem_message(const duplicate_result& result, std::string_view target) {
    const std::string quoted = "\"" + std::string(target) + "\"";
    if (!result.target_created)
        return "Impossible to create the folder of the duplicate:\r" + quoted;
    std::string text;
    const auto add = [&text](const std::string& part) {
        if (!text.empty()) text += "\r\r";
        text += part;
    };
    if (result.stopped)
        add("The duplication was stopped before its end: " + std::to_string(result.files_copied) +
            " files have been copied to\r" + quoted);
    if (!result.failed.empty())
        add(std::to_string(result.failed.size()) +
            (result.failed.size() == 1 ? " item" : " items") +
            " of the duplicate could not be created (a full disk, a protected or read-only "
            "place, a file in use or a link):" +
            listed(result.failed));
    if (!result.links_left_out.empty())
        add("Links of the project lead elsewhere and were not copied:" +
            listed(result.links_left_out));
    return text;
}

std::string load_duplicate_question() {
    return "Load this new duplicate project ?";
}

}  // namespace assets
