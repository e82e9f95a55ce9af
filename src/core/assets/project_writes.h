#pragma once
// New contents for files of a project, written together as one transaction: nothing is written
// through a link, into a read-only file or outside the project, and the outcome says exactly
// which files changed, for the message to the user.
#include <string>
#include <vector>

namespace assets {

struct new_file {
    std::string path;  // full path below the project folder; missing folders are made
    std::string bytes;
};

enum class write_stop {
    none,         // every file holds its new bytes
    outside,      // a path is not below the project folder: nothing was changed
    behind_link,  // a folder on the way, or the file itself, is a link: nothing was changed
    read_only,    // a file is marked read-only: nothing was changed
    in_use,       // a file cannot be read, so another program holds it: nothing was changed
    not_written,  // a file or folder could not be prepared (full disk, no rights): nothing changed
    interrupted,  // a file could not be swapped in: the files in `changed` were
};

struct write_outcome {
    write_stop stop = write_stop::none;
    std::string at;                      // the file, folder or link that stopped it
    std::vector<std::string> changed;    // files that hold their new bytes
    std::vector<std::string> unchanged;  // files left as they were
    bool completed() const { return stop == write_stop::none; }
};

write_outcome write_project_files(const std::string& project_folder,
                                  const std::vector<new_file>& files);

// What happened, for the user: the file concerned, why, and which files changed; "" when every
// file was written.
std::string write_problem_text(const write_outcome& outcome);

}  // namespace assets
