#pragma once
// Copying a whole project folder to a new place, step by step, for the duplicate command's
// worker thread. The walk uses the folder and file lists of the file-tree operations: hidden
// and system folders are left out with everything below them, hidden files in the other
// folders are copied, and links are never followed.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace assets {

enum class duplicate_refusal { none, no_target, inside_project, target_is_file };
// Whether the target may receive a duplicate of the project: not the project itself nor a
// folder inside it (the copy would feed on itself), nor an existing file.
duplicate_refusal check_duplicate_target(std::string_view project_folder, std::string_view target);
std::string refusal_message(duplicate_refusal refusal, std::string_view target);

struct duplicate_plan {
    std::string source;                // without trailing backslash
    std::string target;                // without trailing backslash
    std::vector<std::string> folders;  // relative to the source; "" (the root) first
    std::vector<std::string> files;    // relative to the source
    std::vector<std::string> links;    // links below the source (full paths): not copied
    std::size_t steps() const { return folders.size() + files.size(); }
};
duplicate_plan plan_duplicate(std::string_view project_folder, std::string_view target);

// What the worker tells the progress dialog; called on the worker's thread.
class duplicate_observer {
public:
    virtual ~duplicate_observer() = default;
    virtual void listing() {}
    virtual void range(std::size_t /*steps*/) {}
    virtual void step() {}
    virtual void copying() {}
    // Asked before every folder and file: true ends the copy there.
    virtual bool stop_requested() { return false; }
};

struct duplicate_result {
    bool target_created = false;
    bool stopped = false;  // ended early on request
    std::size_t steps_done = 0;
    std::size_t files_copied = 0;
    std::vector<std::string> failed;  // folders and files of the target that could not be made
    std::vector<std::string> links_left_out;  // links of the project, which are not copied
};

// Lists the project, creates the target and its folders, then copies the files, asking the
// observer before each whether to stop, so a stop always falls between two whole files. A
// copy that fails leaves no partial file; in a target folder that existed before, files are
// copied under a temporary name and renamed into place, so a file they replace stays intact
// until its successor is complete, a read-only file there is not replaced, and nothing is
// written through a link that stands in it.
duplicate_result duplicate_project(std::string_view project_folder, std::string_view target,
                                   duplicate_observer& observer);

// The message after the progress dialog when the copy was not complete; "" when it was. It
// names every item that is missing from the duplicate (up to a screenful, then their number).
std::string duplicate_problem_message(const duplicate_result& result, std::string_view target);
std::string load_duplicate_question();

}  // namespace assets
