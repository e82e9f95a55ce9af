#pragma once
// Several files changed together: every new text is first staged beside its target and made
// durable, and only then are the files swapped in, one after the other. A failure before the
// swap changes nothing; a failure during it stops there and says exactly which files changed.
// A file marked read-only among them stops the transaction before anything is done.
#include <string>
#include <vector>

#include "core/assets/file_tree.h"

namespace assets {

struct file_change {
    std::string target;     // where the file stands afterwards
    std::string bytes;      // its text, when rewritten
    bool rewritten = true;  // false: the file at from moves as it is (a link stays a link)
    std::string from;       // "" when the file stays where it is; else its old place, left
                            // once the target stands
};

struct file_transaction {
    std::vector<file_change> changes;          // swapped in this order
    std::vector<std::string> leftovers;        // old places whose new file already stands: removed
    std::vector<std::string> new_folders;      // made before the swap (empty ones carried over)
    std::vector<std::string> emptied_folders;  // removed after the swap when empty, in order
};

struct transaction_result {
    bool completed = false;
    std::string failed;                  // the file or folder whose step failed
    std::vector<std::string> changed;    // targets that hold their new text or stand at their place
    std::vector<std::string> unchanged;  // targets left as they were
    std::vector<std::string> stale;      // old places that could not be removed after a move
};

transaction_result commit_transaction(const file_transaction& transaction,
                                      const progress_callback& progress = {});

}  // namespace assets
