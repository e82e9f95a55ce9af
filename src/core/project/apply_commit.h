#pragma once
// The last step of an Apply: the edited files and a rename's moves swapped in as one
// transaction, never through a link out of the project, and what that did noted in the result.
#include <string>

#include "core/assets/file_tree.h"
#include "core/project/apply_changes.h"
#include "core/project/package_rename.h"

namespace project {

// Stages and swaps in the edited files and the plan's moves (plan may be null); the rename's
// journal is written first and removed once all is done. False, with the problem noted in
// result, when not everything was done.
bool commit_changes(const std::string& folder, const file_edits& edits, const rename_plan* plan,
                    apply_result& result, const assets::progress_callback& progress);

// True, with the problem noted, when the plan refuses the rename.
bool rename_refused(const rename_plan& plan, apply_result& result);

// Completes a rename that an earlier Apply left half done; true when there was none or it is
// complete now.
bool complete_unfinished_rename(const std::string& folder, apply_result& result,
                                const assets::progress_callback& progress);

}  // namespace project
