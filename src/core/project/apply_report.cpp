#include "core/project/apply_report.h"

namespace project {

std::string problems_text(const apply_result& result) {
    const auto listed = [&result](const std::vector<std::string>& files) {
        std::string out;
        for (const std::string& f : files) out += "\r    " + f;
        return out.empty() ? std::string("\r    (none)") : out;
    };
    std::string out;
    for (const apply_problem& p : result.problems) {
        if (!out.empty()) out += '\r';
        switch (p.kind) {
            case apply_problem_kind::unreadable:
                out += "Could not read " + p.path + ": nothing was changed.";
                break;
            case apply_problem_kind::sdk_levels: out += p.path + " Nothing was changed."; break;
            case apply_problem_kind::invalid_package:
                out += "Not a valid package name: " + p.path + ". Nothing was changed.";
                break;
            case apply_problem_kind::in_the_way:
                out += "A file is in the way of the package rename: " + p.path +
                       ". Nothing was changed.";
                break;
            case apply_problem_kind::behind_a_link:
                out += p.path + " is a link that may lead out of the project. Nothing was changed.";
                break;
            case apply_problem_kind::not_written:
                out += "Could not write " + p.path + ". Nothing was changed.";
                break;
            case apply_problem_kind::interrupted:
                out += "The changes stopped at " + p.path +
                       ".\rChanged:" + listed(result.changed_files) +
                       "\rNot changed:" + listed(result.unchanged_files) +
                       "\rApply again to complete the changes.";
                break;
            case apply_problem_kind::stale:
                out += "The old copy of a moved file could not be removed: " + p.path;
                break;
            case apply_problem_kind::missing_place:
                out += "Not written, the project has no place for it: " + p.path;
                break;
            case apply_problem_kind::no_permission_place:
                out +=
                    "The permissions have no safe place in " + p.path + "; they were not changed.";
                break;
        }
    }
    return out;
}

}  // namespace project
