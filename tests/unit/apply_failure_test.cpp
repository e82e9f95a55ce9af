// Files that cannot be changed: nothing is lost, nothing is half done, the result names them.
#include <gtest/gtest.h>

#include "apply_support.h"
#include "core/project/apply_changes.h"
#include "core/project/apply_report.h"
#include "core/project/project_loader.h"
#include "platform/platform.h"
#include "test_support.h"

using namespace project;
using testing_support::scratch_folder;

namespace {

// Marks a file read-only for the length of a test, and writable again at its end.
class read_only_file {
public:
    explicit read_only_file(std::string path) : path_(std::move(path)) {
        testing_support::set_read_only(path_, true);
    }
    ~read_only_file() { testing_support::set_read_only(path_, false); }
    read_only_file(const read_only_file&) = delete;
    read_only_file& operator=(const read_only_file&) = delete;

private:
    std::string path_;
};

const std::string kManifest =
    "<manifest package=\"com.example.app\" android:versionCode=\"1\" android:versionName=\"1.0\">\n"
    "    <application android:label=\"@string/app_name\" />\n</manifest>\n";
const std::string kStrings = "<resources><string name=\"app_name\">Old</string></resources>\n";
const std::string kSetup =
    "<resources><!-- BASIC! for Android --><string name=\"version\">001.0</string></resources>";

}  // namespace

TEST(ApplyFailure, ReadOnlyFileLeavesTheWholeProjectAsItWas) {
    const char* const locked_files[] = {"AndroidManifest.xml", "res\\values\\strings.xml",
                                        "res\\values\\setup.xml",
                                        "src\\com\\example\\app\\Main.java"};
    for (const char* locked : locked_files) {
        scratch_folder dir;
        dir.write("AndroidManifest.xml", kManifest);
        dir.write("res\\values\\strings.xml", kStrings);
        dir.write("res\\values\\setup.xml", kSetup);
        dir.write("src\\com\\example\\app\\Main.java", "package com.example.app;");
        const project_state before = testing_support::loaded_record(dir.path());
        project_state state = before;
        state.app_name = "New";
        state.version_name = "2.0";
        state.package_name = "org.demo.app";
        read_only_file guard(dir.path() + locked);

        const apply_result result = testing_support::apply_edits(before, state);
        ASSERT_EQ(result.problems.size(), 1u) << locked;
        EXPECT_EQ(result.problems[0].kind, apply_problem_kind::not_written);
        EXPECT_EQ(result.problems[0].path, dir.path() + locked);
        EXPECT_NE(problems_text(result).find(dir.path() + locked), std::string::npos);
        EXPECT_FALSE(result.applied.any());
        EXPECT_EQ(dir.read("AndroidManifest.xml"), kManifest);
        EXPECT_EQ(dir.read("res\\values\\strings.xml"), kStrings);
        EXPECT_EQ(dir.read("res\\values\\setup.xml"), kSetup);
        EXPECT_EQ(dir.read("src\\com\\example\\app\\Main.java"), "package com.example.app;");
        EXPECT_FALSE(platform::file_exists(dir.path() + "src\\org"));
        EXPECT_EQ(testing_support::leftover_temporaries(dir.path() + "res\\values"), 0);
    }
}
