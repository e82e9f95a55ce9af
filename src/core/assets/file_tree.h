#pragma once
// Walks over folder trees on disk: listing the folders or the files below a folder, and
// deleting a folder with its contents. A junction or symbolic link to a folder is never
// followed, so a walk never leaves the tree it was given. The walks keep no state outside
// the call, so several may run at once (on the GUI thread and on a worker).
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace assets {

// Called after every entry of a long file walk, so that the caller decides how to stay
// responsive (a GUI thread serves its window messages); the core itself never does.
using progress_callback = std::function<void()>;

struct file_record {
    std::string path;  // the folder followed by the file's name
    bool is_hidden = false;
    bool is_system = false;
    bool is_read_only = false;
    bool is_link = false;  // a link to a file; the link itself is what is listed
};

// Every folder below the root, breadth-first: entry 0 is the root without trailing
// backslashes, then all children of entry 0, then all children of entry 1, and so on, each as
// parent + "\" + name. Hidden and system folders and linked folders are neither listed nor
// entered. Gives the number of folders found below the root (the list holds one more).
std::size_t list_folders(std::string_view root, std::vector<std::string>& folders,
                         const progress_callback& progress = {});

// Every file below the folder whose bare name matches the pattern, hidden and system files and
// files in hidden folders included; a folder's own files come before those of its subfolders.
// Linked folders are not entered. Gives the number of files listed.
std::size_t list_files(std::string_view folder, std::vector<file_record>& files,
                       std::string_view pattern = "*.*", const progress_callback& progress = {});

// The wildcard match of the Windows shell: "*" any run of characters, "?" one character,
// ASCII letters in any case; "*.*" matches every name; several patterns may be joined by ";".
bool name_matches(std::string_view name, std::string_view pattern);

// Deletes the ordinary files below the folder (hidden, system and read-only files stay), then
// every folder that is empty, the folder itself last. A linked folder is removed as a link
// (its target untouched); a folder that is itself a link is only unlinked. A missing folder is
// no error; nothing is reported.
void delete_folder_tree(std::string_view folder, const progress_callback& progress = {});

}  // namespace assets
