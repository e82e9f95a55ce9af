#pragma once
// Renaming the app's package: the package name in the text of every XML and Java file, and
// the sources moved from the old package's folder to the new one. A rename whose swap was
// interrupted leaves a journal in the project, so that the next Apply completes it.
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/assets/file_transaction.h"

namespace project {

// Every whole-name occurrence of the old package replaced by the new one: the character before
// is not a letter, digit, "_", "$" or ".", the character after not a letter, digit, "_" or
// "$". Text that already reads as the new name is left alone.
std::string renamed_package_text(std::string_view text, std::string_view old_package,
                                 std::string_view new_package);

// Dot-separated parts, each made of letters, digits, "_" and "$" (no path characters).
bool is_valid_package_name(std::string_view name);

// The new text of files that stay where they are, by path in lower case (Windows names ignore
// letter case, so one file never gets two texts).
struct file_edit {
    std::string path;
    std::string original;
    std::string text;
};
using file_edits = std::map<std::string, file_edit>;
// The edit of a file, its text read first when it has none yet; nullptr when it is unreadable.
file_edit* edit_of(file_edits& edits, const std::string& path);

// The journal of a rename: the two names and the moves, relative to the project folder.
struct rename_journal {
    std::string from;
    std::string to;
    std::vector<std::pair<std::string, std::string>> moves;
};
std::string journal_path(const std::string& project_folder);
std::string journal_text(const rename_journal& journal);
bool parse_journal(std::string_view text, rename_journal& journal);
bool read_journal(const std::string& project_folder, rename_journal& journal);

// unreadable: a source whose package line must change cannot be read (another program holds it).
enum class rename_refusal { none, in_the_way, behind_a_link, unreadable };

struct rename_plan {
    rename_journal journal;
    std::vector<assets::file_change> moves;  // ordered so a file leaves before another comes
    std::vector<std::string> leftovers;
    std::vector<std::string> new_folders;
    std::vector<std::string> emptied_folders;
    rename_refusal refusal = rename_refusal::none;
    std::string refused_path;
};

// Plans the rename over the project: XML and Java files that stay get their new text in edits
// (the manifest included, with whatever edits it already has); the files of the old package's
// folder move. With resume, only the journal's moves that are still to do are planned.
rename_plan plan_package_rename(const std::string& project_folder, std::string_view old_package,
                                std::string_view new_package, file_edits& edits,
                                const rename_journal* resume,
                                const assets::progress_callback& progress);

}  // namespace project
