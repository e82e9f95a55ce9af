// Apply with a package rename under faults: the project is as it was, as Apply makes it, or
// changed in exactly the files its report names, and nothing outside it is touched.
#include <gtest/gtest.h>

#include "apply_support.h"
#include "core/project/apply_changes.h"
#include "core/project/apply_report.h"
#include "unit/fault_scenarios.h"

using namespace project;
using namespace testing_support;

TEST(FaultApply, PackageRename) {
    const auto make = [](const std::string& folder) {
        platform::write_file(folder + "AndroidManifest.xml",
                             "<manifest package=\"com.example.app\" android:versionCode=\"1\">\n"
                             "<application android:label=\"@string/app_name\"/>\n</manifest>\n");
        platform::make_directories(folder + "res\\values");
        platform::write_file(folder + "res\\values\\strings.xml",
                             "<resources><string name=\"app_name\">Demo</string></resources>");
        platform::make_directories(folder + "src\\com\\example\\app");
        platform::write_file(folder + "src\\com\\example\\app\\Main.java",
                             "package com.example.app;\nclass Main {}\n");
    };
    const auto apply = [](const std::string& folder) -> operation_result {
        const project_state before = loaded_record(folder);
        project_state edited = before;
        edited.package_name = "org.demo.app";
        edited.version_code = "2";
        const apply_result r = apply_edits(before, edited);
        // An old copy that stayed behind is the one thing not done; all else is.
        std::vector<std::string> stale;
        for (const apply_problem& p : r.problems)
            if (p.kind == apply_problem_kind::stale) stale.push_back(p.path);
        if (!stale.empty() && stale.size() == r.problems.size())
            return {problems_text(r), {}, stale};
        return {problems_text(r), r.changed_files};
    };
    const std::string java = "src\\com\\example\\app\\Main.java";
    run_fault_table({{scenario::read_only_file, java, expect::before, java},
                     {scenario::read_only_folder, "src", expect::before, "src\\org"},
                     {scenario::held_open, java, expect::as_reported, java},
                     {scenario::disk_full, "", expect::before, "", 1},
                     {scenario::link_outside, "src\\com", expect::before, "src\\com"},
                     {scenario::long_path, "", expect::after, ""}},
                    make, apply, "");
}
