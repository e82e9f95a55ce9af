// The platform layer's careful writes: temporary files, links and injected faults.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "test_support.h"

using testing_support::scratch_folder;

namespace {

// Sets a fault hook for the length of a test.
struct fault_guard {
    explicit fault_guard(platform::fault_hook hook) { platform::set_fault_hook(std::move(hook)); }
    ~fault_guard() { platform::set_fault_hook(nullptr); }
};

}  // namespace

TEST(PlatformFiles, SafeWriteNeverWritesThroughAPlantedTemporaryName) {
    scratch_folder project, outside;
    const std::string victim = outside.write("victim.txt", "precious");
    const std::string manifest = project.write("AndroidManifest.xml", "old");
    const bool linked = testing_support::make_link(victim, manifest + ".vxtmp");
    ASSERT_TRUE(platform::write_file_safely(manifest, "new"));
    EXPECT_EQ(outside.read("victim.txt"), "precious");
    EXPECT_EQ(project.read("AndroidManifest.xml"), "new");
    EXPECT_FALSE(platform::is_link(manifest));
    if (!linked) GTEST_SKIP() << "no link could be made here";
    EXPECT_TRUE(platform::is_link(manifest + ".vxtmp"));  // left as it was
}

TEST(PlatformFiles, SafeWriteReplacesALinkInsteadOfFollowingIt) {
    scratch_folder project, outside;
    const std::string victim = outside.write("victim.txt", "precious");
    const std::string name = project.path() + "strings.xml";
    if (!testing_support::make_link(victim, name)) GTEST_SKIP() << "no link could be made here";
    ASSERT_TRUE(platform::write_file_safely(name, "mine"));
    EXPECT_EQ(outside.read("victim.txt"), "precious");
    EXPECT_FALSE(platform::is_link(name));
    EXPECT_EQ(project.read("strings.xml"), "mine");
}

TEST(PlatformFiles, StagedFilesGetFreshNamesBesideTheTarget) {
    scratch_folder dir;
    const std::string target = dir.path() + "a.xml";
    const std::string one = platform::stage_file(target, "1");
    const std::string two = platform::stage_file(target, "2");
    ASSERT_FALSE(one.empty());
    ASSERT_FALSE(two.empty());
    EXPECT_NE(one, two);
    EXPECT_EQ(one.rfind(target, 0), 0u);
    EXPECT_FALSE(platform::file_exists(target));
    EXPECT_TRUE(platform::flush_files({one, two}));
    std::string bytes;
    ASSERT_TRUE(platform::read_file(two, bytes));
    EXPECT_EQ(bytes, "2");
    EXPECT_TRUE(platform::stage_file(dir.path() + "missing\\a.xml", "x").empty());
}

TEST(PlatformFiles, FailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
    scratch_folder dir;
    const std::string target = dir.write("setup.xml", "old contents");
    for (const platform::file_step step :
         {platform::file_step::write, platform::file_step::flush, platform::file_step::move}) {
        fault_guard faults([step](platform::file_step s, const std::string&) { return s == step; });
        EXPECT_FALSE(platform::write_file_safely(target, "new contents, longer than before"));
        EXPECT_EQ(dir.read("setup.xml"), "old contents");
        EXPECT_EQ(
            testing_support::leftover_temporaries(testing_support::without_trailing(dir.path())),
            0);
    }
}
