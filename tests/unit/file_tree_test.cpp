#include "core/assets/file_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "platform/platform.h"
#include "test_support.h"

using namespace assets;
using testing_support::scratch_folder;

namespace {

std::vector<std::string> paths_of(const std::vector<file_record>& files) {
    std::vector<std::string> out;
    for (const file_record& f : files) out.push_back(f.path);
    return out;
}

bool contains(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

}  // namespace

TEST(NameMatches, ShellWildcardsIgnoringCase) {
    EXPECT_TRUE(name_matches("README", "*.*"));
    EXPECT_TRUE(name_matches("Main.JAVA", "*.java"));
    EXPECT_FALSE(name_matches("Main.javax", "*.java"));
    EXPECT_FALSE(name_matches("Main.jav", "*.java"));
    EXPECT_TRUE(name_matches("a.txt", "?.txt"));
    EXPECT_FALSE(name_matches("ab.txt", "?.txt"));
    EXPECT_TRUE(name_matches("axxbyyc", "a*b*c"));
    EXPECT_FALSE(name_matches("axxbyy", "a*b*c"));
    EXPECT_TRUE(name_matches("strings.xml", "*.java; *.xml"));
    EXPECT_FALSE(name_matches("notes.txt", "*.java;*.xml"));
    EXPECT_FALSE(name_matches("x", ""));
}

TEST(ListFolders, BreadthFirstWithRootFirst) {
    scratch_folder dir;
    dir.write("root\\a\\c\\f.txt", "x");
    dir.write("root\\b\\g.txt", "y");
    std::vector<std::string> folders;
    const std::string root = dir.path() + "root";
    ASSERT_EQ(list_folders(root + "\\\\", folders), 3u);
    ASSERT_EQ(folders.size(), 4u);
    EXPECT_EQ(folders[0], root);  // trailing backslashes removed
    // a and b come in the file system's order, both before a's child.
    EXPECT_TRUE((folders[1] == root + "\\a" && folders[2] == root + "\\b") ||
                (folders[1] == root + "\\b" && folders[2] == root + "\\a"));
    EXPECT_EQ(folders[3], root + "\\a\\c");
}

TEST(ListFolders, SkipsHiddenAndLinkedFolders) {
    scratch_folder dir, outside;
    dir.write("root\\.hidden\\inner\\f.txt", "x");
    testing_support::make_hidden(dir.path() + "root\\.hidden");
    dir.write("root\\plain\\f.txt", "y");
    outside.write("target\\deep\\f.txt", "z");
    const bool linked =
        testing_support::make_link(outside.path() + "target", dir.path() + "root\\link");
    std::vector<std::string> folders;
    EXPECT_EQ(list_folders(dir.path() + "root", folders), 1u);
    EXPECT_EQ(folders.back(), dir.path() + "root\\plain");
    if (!linked) GTEST_SKIP() << "no folder link could be made here";
}

TEST(ListFolders, MissingRootGivesOnlyTheRoot) {
    scratch_folder dir;
    std::vector<std::string> folders{"stale"};
    EXPECT_EQ(list_folders(dir.path() + "nothing", folders), 0u);
    EXPECT_EQ(folders, std::vector<std::string>{dir.path() + "nothing"});
}

TEST(ListFiles, OwnFilesBeforeSubfoldersHiddenIncluded) {
    scratch_folder dir;
    const std::string root = dir.path() + "p\\";
    dir.write("p\\sub\\deeper\\d.txt", "d");
    dir.write("p\\sub\\s.txt", "s");
    dir.write("p\\top.txt", "t");
    dir.write("p\\.secret", "h");
    testing_support::make_hidden(root + ".secret");
    dir.write("p\\.hid\\inside.txt", "i");
    testing_support::make_hidden(root + ".hid");

    std::vector<file_record> files;
    ASSERT_EQ(list_files(dir.path() + "p", files), 5u);  // no trailing backslash needed
    const auto paths = paths_of(files);
    const auto at = [&paths](const std::string& p) {
        return std::find(paths.begin(), paths.end(), p) - paths.begin();
    };
    // Every file of p itself comes before any file of a subfolder, and sub's own before deeper.
    EXPECT_LT(at(root + "top.txt"), at(root + "sub\\s.txt"));
    EXPECT_LT(at(root + ".secret"), at(root + "sub\\s.txt"));
    EXPECT_LT(at(root + "top.txt"), at(root + ".hid\\inside.txt"));
    EXPECT_LT(at(root + "sub\\s.txt"), at(root + "sub\\deeper\\d.txt"));
    EXPECT_TRUE(contains(paths, root + ".hid\\inside.txt"));
    EXPECT_TRUE(files[at(root + ".secret")].is_hidden);
    EXPECT_FALSE(files[at(root + "top.txt")].is_hidden);
}

TEST(ListFiles, PatternMatchesBareNamesInAnyCase) {
    scratch_folder dir;
    dir.write("src\\com\\A.java", "a");
    dir.write("src\\com\\B.JAVA", "b");
    dir.write("src\\com\\notes.txt", "n");
    dir.write("src\\java.d\\x.javax", "x");
    std::vector<file_record> files;
    EXPECT_EQ(list_files(dir.path() + "src", files, "*.java"), 2u);
    for (const file_record& f : files) EXPECT_NE(f.path.find("\\com\\"), std::string::npos);
    EXPECT_EQ(list_files(dir.path() + "src", files, "*.java;*.txt"), 3u);
}

TEST(ListFiles, DoesNotEnterLinkedFolders) {
    scratch_folder dir, outside;
    dir.write("p\\own.txt", "o");
    outside.write("target\\far.txt", "f");
    if (!testing_support::make_link(outside.path() + "target", dir.path() + "p\\link"))
        GTEST_SKIP() << "no folder link could be made here";
    std::vector<file_record> files;
    EXPECT_EQ(list_files(dir.path() + "p", files), 1u);
    EXPECT_EQ(paths_of(files), std::vector<std::string>{dir.path() + "p\\own.txt"});
}

TEST(ListFiles, MissingFolderGivesNothing) {
    scratch_folder dir;
    std::vector<file_record> files(3);
    EXPECT_EQ(list_files(dir.path() + "missing", files), 0u);
    EXPECT_TRUE(files.empty());
}

TEST(ListFiles, TwoListingsAtOnceKeepTheirOwnCounts) {
    scratch_folder dir;
    for (int i = 0; i < 40; ++i)
        dir.write("one\\d" + std::to_string(i % 4) + "\\f" + std::to_string(i), "1");
    for (int i = 0; i < 25; ++i) dir.write("two\\f" + std::to_string(i), "2");
    std::size_t first = 0, second = 0;
    bool first_ok = true, second_ok = true;
    std::thread worker([&] {
        std::vector<file_record> files;
        for (int round = 0; round < 30; ++round) {
            first = list_files(dir.path() + "one", files);
            first_ok = first_ok && first == 40 && files.size() == 40;
        }
    });
    std::vector<file_record> files;
    for (int round = 0; round < 30; ++round) {
        second = list_files(dir.path() + "two", files);
        second_ok = second_ok && second == 25 && files.size() == 25;
    }
    worker.join();
    EXPECT_TRUE(first_ok) << first;
    EXPECT_TRUE(second_ok) << second;
}

TEST(DeleteFolderTree, KeepsHiddenAndReadOnlyFilesWithTheFoldersAboveThem) {
    scratch_folder dir;
    const std::string work = dir.path() + ".avlo";
    dir.write(".avlo\\bin\\app.apk", "apk");
    dir.write(".avlo\\empty\\deeper\\x.tmp", "x");
    dir.write(".avlo\\keep\\.marker", "hidden");
    testing_support::make_hidden(work + "\\keep\\.marker");
    dir.write(".avlo\\locked\\ro.txt", "read-only");
    testing_support::set_read_only(work + "\\locked\\ro.txt", true);
    dir.write(".avlo\\top.txt", "t");

    delete_folder_tree(work + "\\");

    EXPECT_FALSE(platform::file_exists(work + "\\bin"));
    EXPECT_FALSE(platform::file_exists(work + "\\empty"));
    EXPECT_FALSE(platform::file_exists(work + "\\top.txt"));
    EXPECT_EQ(dir.read(".avlo\\keep\\.marker"), "hidden");
    EXPECT_EQ(dir.read(".avlo\\locked\\ro.txt"), "read-only");
    testing_support::set_read_only(work + "\\locked\\ro.txt",
                                   false);  // so that the scratch folder can go
}

TEST(DeleteFolderTree, FilesInHiddenFoldersGoTheHiddenFolderStays) {
    scratch_folder dir;
    dir.write("w\\.cache\\a.bin", "a");
    testing_support::make_hidden(dir.path() + "w\\.cache");
    delete_folder_tree(dir.path() + "w");
    EXPECT_FALSE(platform::file_exists(dir.path() + "w\\.cache\\a.bin"));
    EXPECT_TRUE(platform::is_directory(dir.path() + "w\\.cache"));
}

TEST(DeleteFolderTree, RemovesEverythingOrdinaryWithTheFolderItself) {
    scratch_folder dir;
    dir.write("gone\\a\\b\\c.txt", "c");
    dir.write("gone\\d.txt", "d");
    delete_folder_tree(dir.path() + "gone");
    EXPECT_FALSE(platform::file_exists(dir.path() + "gone"));
    EXPECT_TRUE(platform::is_directory(dir.path()));
}

TEST(DeleteFolderTree, MissingFolderIsNoError) {
    scratch_folder dir;
    delete_folder_tree(dir.path() + "never");
    delete_folder_tree("");
    EXPECT_FALSE(platform::file_exists(dir.path() + "never"));
}

TEST(DeleteFolderTree, LinkedFolderIsUnlinkedAndItsTargetKept) {
    scratch_folder dir, outside;
    outside.write("target\\precious.txt", "keep me");
    outside.write("target\\sub\\more.txt", "me too");
    dir.write("w\\own.txt", "o");
    if (!testing_support::make_link(outside.path() + "target", dir.path() + "w\\link"))
        GTEST_SKIP() << "no folder link could be made here";
    delete_folder_tree(dir.path() + "w");
    if (testing_support::folder_links_removable()) {
        EXPECT_FALSE(platform::file_exists(dir.path() + "w\\link"));
        EXPECT_FALSE(platform::file_exists(dir.path() + "w"));
    } else {
        testing_support::remove_link(dir.path() + "w\\link");
    }
    EXPECT_EQ(outside.read("target\\precious.txt"), "keep me");
    EXPECT_EQ(outside.read("target\\sub\\more.txt"), "me too");
}

TEST(DeleteFolderTree, FolderThatIsItselfALinkIsOnlyUnlinked) {
    scratch_folder dir, outside;
    outside.write("target\\precious.txt", "keep me");
    if (!testing_support::make_link(outside.path() + "target", dir.path() + ".avlo"))
        GTEST_SKIP() << "no folder link could be made here";
    delete_folder_tree(dir.path() + ".avlo\\");
    if (testing_support::folder_links_removable())
        EXPECT_FALSE(platform::file_exists(dir.path() + ".avlo"));
    else
        testing_support::remove_link(dir.path() + ".avlo");
    EXPECT_EQ(outside.read("target\\precious.txt"), "keep me");
}

TEST(FileTreeProgress, EveryWalkReportsToItsCaller) {
    scratch_folder dir;
    dir.write("p\\a.txt", "1");
    dir.write("p\\sub\\b.txt", "2");
    dir.write("p\\sub\\deeper\\c.txt", "3");
    int calls = 0;
    const progress_callback count = [&calls] { ++calls; };
    std::vector<file_record> files;
    EXPECT_EQ(list_files(dir.path() + "p", files, "*.*", count), 3u);
    EXPECT_GE(calls, 3);
    calls = 0;
    std::vector<std::string> folders;
    EXPECT_EQ(list_folders(dir.path() + "p", folders, count), 2u);
    EXPECT_GE(calls, 1);
    calls = 0;
    delete_folder_tree(dir.path() + "p", count);
    EXPECT_GE(calls, 5);
    EXPECT_FALSE(platform::file_exists(dir.path() + "p"));
}
