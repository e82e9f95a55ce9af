// Duplicating a project folder: the plan, the progress steps and the copy.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/assets/project_duplicate.h"
#include "platform/platform.h"
#include "unit/test_support.h"

using namespace assets;
using testing_support::scratch_folder;

namespace {

// Records what the worker tells the dialog, in order.
struct recorder : duplicate_observer {
    std::string events;
    std::size_t range_steps = 0;
    std::size_t steps = 0;
    std::size_t stop_after = static_cast<std::size_t>(-1);
    void listing() override { events += "L"; }
    void range(std::size_t n) override {
        events += "R";
        range_steps = n;
    }
    void step() override { ++steps; }
    void copying() override { events += "C"; }
    bool stop_requested() override { return steps >= stop_after; }
};

// A project of 3 folders (res, res\values, src) and 10 files.
std::string small_project(const scratch_folder& s) {
    for (int i = 0; i < 4; ++i) s.write("p\\res\\values\\v" + std::to_string(i) + ".xml", "v");
    for (int i = 0; i < 3; ++i) s.write("p\\src\\s" + std::to_string(i) + ".java", "s");
    for (int i = 0; i < 2; ++i) s.write("p\\res\\r" + std::to_string(i) + ".png", "r");
    s.write("p\\AndroidManifest.xml", "<manifest/>");
    return s.path() + "p\\";
}

}  // namespace

TEST(AssetsDuplicate, ThreeFoldersAndTenFilesMakeFourteenSteps) {
    scratch_folder s;
    const std::string project = small_project(s);
    recorder r;
    const duplicate_result result = duplicate_project(project, s.path() + "copy", r);
    EXPECT_EQ(r.events, "LRC");
    EXPECT_EQ(r.range_steps, 14u);
    EXPECT_EQ(r.steps, 14u);
    EXPECT_EQ(result.steps_done, 14u);
    EXPECT_EQ(result.files_copied, 10u);
    EXPECT_TRUE(result.failed.empty());
    EXPECT_FALSE(result.stopped);
    EXPECT_EQ(s.read("copy\\res\\values\\v3.xml"), "v");
    EXPECT_EQ(s.read("copy\\AndroidManifest.xml"), "<manifest/>");
    EXPECT_TRUE(duplicate_problem_message(result, s.path() + "copy").empty());
}

TEST(AssetsDuplicate, PlanListsRelativePathsRootFirst) {
    scratch_folder s;
    const std::string project = small_project(s);
    const duplicate_plan plan = plan_duplicate(project, s.path() + "copy\\\\");
    EXPECT_EQ(plan.source, s.path() + "p");
    EXPECT_EQ(plan.target, s.path() + "copy");
    ASSERT_EQ(plan.folders.size(), 4u);
    EXPECT_EQ(plan.folders[0], "");
    EXPECT_NE(std::find(plan.folders.begin(), plan.folders.end(), "res\\values"),
              plan.folders.end());
    EXPECT_NE(std::find(plan.files.begin(), plan.files.end(), "src\\s2.java"), plan.files.end());
    EXPECT_EQ(plan.steps(), 14u);
}

TEST(AssetsDuplicate, HiddenFoldersAreSkippedHiddenFilesCopied) {
    scratch_folder s;
    const std::string project = small_project(s);
    s.write("p\\.git\\HEAD", "ref");
    s.write("p\\.git\\objects\\ab\\cd", "blob");
    testing_support::make_hidden(project + ".git");
    s.write("p\\res\\.secret", "hidden file");
    testing_support::make_hidden(project + "res\\.secret");
    s.write("p\\.avlo\\x.txt", "work");  // hidden on POSIX only by its name
    testing_support::make_hidden(project + ".avlo");
    recorder r;
    const duplicate_result result = duplicate_project(project, s.path() + "copy", r);
    EXPECT_FALSE(platform::file_exists(s.path() + "copy\\.git"));
    EXPECT_FALSE(platform::file_exists(s.path() + "copy\\.git\\HEAD"));
    EXPECT_EQ(s.read("copy\\res\\.secret"), "hidden file");
    EXPECT_EQ(r.range_steps, 15u);  // the hidden file is one more step
    EXPECT_EQ(result.files_copied, 11u);
    EXPECT_TRUE(result.failed.empty());
}

TEST(AssetsDuplicate, ExistingTargetKeepsOtherFilesAndGetsOverwritten) {
    scratch_folder s;
    const std::string project = small_project(s);
    s.write("copy\\AndroidManifest.xml", "old manifest");
    s.write("copy\\mine.txt", "keep me");
    recorder r;
    const duplicate_result result = duplicate_project(project, s.path() + "copy", r);
    EXPECT_TRUE(result.failed.empty());
    EXPECT_EQ(s.read("copy\\AndroidManifest.xml"), "<manifest/>");
    EXPECT_EQ(s.read("copy\\mine.txt"), "keep me");
    EXPECT_EQ(testing_support::leftover_temporaries(s.path() + "copy"), 0);
}

TEST(AssetsDuplicate, ExistingTargetNeverWritesThroughANamePlantedBesideAFile) {
    scratch_folder s, outside;
    const std::string project = small_project(s);
    s.write("copy\\AndroidManifest.xml", "old manifest");
    const std::string victim = outside.write("victim.txt", "precious");
    // The name an older copy used for its partial file, and the name any fixed scheme would use.
    const bool linked =
        testing_support::make_link(victim, s.path() + "copy\\AndroidManifest.xml.vxdup~");
    recorder r;
    const duplicate_result result = duplicate_project(project, s.path() + "copy", r);
    EXPECT_TRUE(result.failed.empty());
    EXPECT_EQ(outside.read("victim.txt"), "precious");
    EXPECT_EQ(s.read("copy\\AndroidManifest.xml"), "<manifest/>");
    if (!linked) GTEST_SKIP() << "no link to a file could be made here";
}

TEST(AssetsDuplicate, StopRequestEndsBetweenTwoFilesWithoutPartialFiles) {
    scratch_folder s;
    const std::string project = small_project(s);
    recorder r;
    r.stop_after = 7;  // 4 folders, then 3 files
    const duplicate_result result = duplicate_project(project, s.path() + "copy", r);
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(result.steps_done, 7u);
    EXPECT_EQ(result.files_copied, 3u);
    std::vector<std::string> folders;
    std::size_t files = 0;
    for (const std::string& f : {std::string("copy"), std::string("copy\\res"),
                                 std::string("copy\\res\\values"), std::string("copy\\src")}) {
        std::vector<platform::dir_entry> entries;
        platform::list_directory(s.path() + f, entries);
        for (const auto& e : entries) {
            if (e.is_directory) continue;
            ++files;
            EXPECT_EQ(e.name.find(".vxtmp"), std::string::npos) << e.name;
        }
    }
    EXPECT_EQ(files, 3u);
    const std::string message = duplicate_problem_message(result, s.path() + "copy");
    EXPECT_EQ(message,
              "The duplication was stopped before its end: 3 files have been copied to\r\"" +
                  s.path() + "copy\"");
}

TEST(AssetsDuplicate, LinksAreNeitherFollowedNorCopied) {
    scratch_folder s;
    scratch_folder outside;
    const std::string project = small_project(s);
    outside.write("big\\data.bin", "outside data");
    outside.write("one.txt", "outside file");
    if (!testing_support::make_link(outside.path() + "big", project + "linked") ||
        !testing_support::make_link(outside.path() + "one.txt", project + "res\\one.txt"))
        GTEST_SKIP() << "no link could be made here";
    recorder r;
    const duplicate_result result = duplicate_project(project, s.path() + "copy", r);
    EXPECT_EQ(r.range_steps, 14u);
    EXPECT_TRUE(result.failed.empty());
    EXPECT_FALSE(platform::file_exists(s.path() + "copy\\linked"));
    EXPECT_FALSE(platform::file_exists(s.path() + "copy\\res\\one.txt"));
}

TEST(AssetsDuplicate, TargetInsideTheProjectIsRefused) {
    scratch_folder s;
    const std::string project = small_project(s);
    EXPECT_EQ(check_duplicate_target(project, project), duplicate_refusal::inside_project);
    EXPECT_EQ(check_duplicate_target(project, s.path() + "p"), duplicate_refusal::inside_project);
    EXPECT_EQ(check_duplicate_target(project, s.path() + "P\\res\\copy"),
              duplicate_refusal::inside_project);
    EXPECT_EQ(check_duplicate_target(project, s.path() + "x\\..\\p\\new"),
              duplicate_refusal::inside_project);
    EXPECT_EQ(check_duplicate_target(project, s.path() + "p2"), duplicate_refusal::none);
    EXPECT_EQ(check_duplicate_target(project, s.path() + "p copy"), duplicate_refusal::none);
    EXPECT_EQ(check_duplicate_target(project, s.path()), duplicate_refusal::none);
    EXPECT_EQ(check_duplicate_target(project, ""), duplicate_refusal::no_target);
    EXPECT_EQ(refusal_message(duplicate_refusal::inside_project, "C:\\p\\x"),
              "The duplicate cannot be placed in the project itself or in one of its folders:\r"
              "\"C:\\p\\x\"\r\rPlease choose a folder outside the project.");
}

TEST(AssetsDuplicate, ExistingFileAsTargetIsRefused) {
    scratch_folder s;
    const std::string project = small_project(s);
    const std::string file = s.write("taken.txt", "x");
    EXPECT_EQ(check_duplicate_target(project, file), duplicate_refusal::target_is_file);
}

TEST(AssetsDuplicate, UncreatableTargetIsReported) {
    scratch_folder s;
    const std::string project = small_project(s);
    const std::string file = s.write("taken.txt", "x");
    recorder r;
    const duplicate_result result = duplicate_project(project, file + "\\copy", r);
    EXPECT_FALSE(result.target_created);
    EXPECT_EQ(result.files_copied, 0u);
    EXPECT_EQ(duplicate_problem_message(result, file + "\\copy"),
              "Impossible to create the folder of the duplicate:\r\"" + file + "\\copy\"");
    EXPECT_EQ(load_duplicate_question(), "Load this new duplicate project ?");
}
