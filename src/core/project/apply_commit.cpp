#include "core/project/apply_commit.h"

#include "core/assets/file_transaction.h"
#include "core/assets/project_paths.h"
#include "platform/platform.h"

namespace project {

// Stages and swaps in the edited files and the rename's moves together. False, with the
// problem noted, when not everything was done.
bool commit_changes(const std::string& folder, const file_edits& edits, const rename_plan* plan,
                    apply_result& result, const assets::progress_callback& progress) {
    assets::file_transaction t;
    const std::string journal = journal_path(folder);
    if (plan)  // first of all, so that an interrupted swap can be completed
        t.changes.push_back({journal, journal_text(plan->journal), true, ""});
    for (const auto& [key, e] : edits)
        if (e.text != e.original) t.changes.push_back({e.path, e.text, true, ""});
    if (plan) {
        t.changes.insert(t.changes.end(), plan->moves.begin(), plan->moves.end());
        t.leftovers = plan->leftovers;
        t.new_folders = plan->new_folders;
        t.emptied_folders = plan->emptied_folders;
    }
    // Nothing is written through a folder that is a link out of the project.
    for (const assets::file_change& c : t.changes) {
        const std::string link = assets::link_on_the_way(folder, c.target, false);
        if (!link.empty()) {
            result.problems.push_back({apply_problem_kind::behind_a_link, link});
            return false;
        }
    }
    const assets::transaction_result r = assets::commit_transaction(t, progress);
    for (const std::string& f : r.changed)
        if (f != journal) result.changed_files.push_back(f);
    for (const std::string& f : r.unchanged)
        if (f != journal) result.unchanged_files.push_back(f);
    if (!r.completed) {
        // Only the journal swapped in: nothing is left to complete, so it goes too.
        const bool journal_alone = r.changed.size() == 1 && r.changed.front() == journal;
        const bool untouched =
            r.changed.empty() || (journal_alone && platform::remove_file(journal));
        result.problems.push_back(
            {untouched ? apply_problem_kind::not_written : apply_problem_kind::interrupted,
             r.failed});
        return false;
    }
    for (const std::string& f : r.stale) result.problems.push_back({apply_problem_kind::stale, f});
    if (plan) {
        result.files_moved += plan->moves.size();
        platform::remove_file(journal);  // one left behind only makes the next Apply look again
    }
    return true;
}

bool rename_refused(const rename_plan& plan, apply_result& result) {
    if (plan.refusal == rename_refusal::none) return false;
    const apply_problem_kind kind =
        plan.refusal == rename_refusal::in_the_way      ? apply_problem_kind::in_the_way
        : plan.refusal == rename_refusal::behind_a_link ? apply_problem_kind::behind_a_link
                                                        : apply_problem_kind::unreadable;
    result.problems.push_back({kind, plan.refused_path});
    return true;
}

bool complete_unfinished_rename(const std::string& folder, apply_result& result,
                                const assets::progress_callback& progress) {
    rename_journal journal;
    if (!read_journal(folder, journal)) return true;
    file_edits edits;
    const rename_plan plan =
        plan_package_rename(folder, journal.from, journal.to, edits, &journal, progress);
    if (rename_refused(plan, result) || !commit_changes(folder, edits, &plan, result, progress))
        return false;
    result.rename_completed = true;
    return true;
}

}  // namespace project
