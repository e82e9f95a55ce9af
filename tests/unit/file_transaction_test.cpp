// Several files changed together: staged first, swapped in only when all are ready.
#include "core/assets/file_transaction.h"

#include <gtest/gtest.h>

#include "platform/platform.h"
#include "test_support.h"

using namespace assets;
using testing_support::scratch_folder;

namespace {

struct fault_guard {
    explicit fault_guard(platform::fault_hook hook) { platform::set_fault_hook(std::move(hook)); }
    ~fault_guard() { platform::set_fault_hook(nullptr); }
};

// Two files rewritten in place and one moved to a new folder with a new text.
file_transaction three_changes(const scratch_folder& dir) {
    dir.write("a.xml", "old a");
    dir.write("b.xml", "old b");
    dir.write("src\\old\\C.java", "old c");
    file_transaction t;
    t.changes.push_back({dir.path() + "a.xml", "new a", true, ""});
    t.changes.push_back({dir.path() + "b.xml", "new b", true, ""});
    t.changes.push_back(
        {dir.path() + "src\\new\\C.java", "new c", true, dir.path() + "src\\old\\C.java"});
    t.emptied_folders = {dir.path() + "src\\old"};
    return t;
}

bool ends_with(const std::string& s, std::string_view tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

TEST(FileTransaction, AllFilesChangeAndOneFlushServesThemAll) {
    scratch_folder dir;
    const file_transaction t = three_changes(dir);
    int flushes = 0;
    fault_guard count([&flushes](platform::file_step step, const std::string&) {
        if (step == platform::file_step::flush) ++flushes;
        return false;
    });
    const transaction_result r = commit_transaction(t);
    EXPECT_TRUE(r.completed);
    EXPECT_EQ(dir.read("a.xml"), "new a");
    EXPECT_EQ(dir.read("b.xml"), "new b");
    EXPECT_EQ(dir.read("src\\new\\C.java"), "new c");
    EXPECT_FALSE(platform::file_exists(dir.path() + "src\\old"));
    EXPECT_EQ(r.changed.size(), 3u);
    EXPECT_EQ(flushes, 1);
    EXPECT_EQ(testing_support::leftover_temporaries(testing_support::without_trailing(dir.path())),
              0);
}

TEST(FileTransaction, FailureWhileStagingChangesNothing) {
    for (const char* failing : {"b.xml", "C.java"}) {
        scratch_folder dir;
        const file_transaction t = three_changes(dir);
        fault_guard faults([failing](platform::file_step step, const std::string& path) {
            return step == platform::file_step::write && path.find(failing) != std::string::npos;
        });
        const transaction_result r = commit_transaction(t);
        EXPECT_FALSE(r.completed);
        EXPECT_TRUE(r.changed.empty());
        EXPECT_EQ(r.unchanged.size(), 3u);
        EXPECT_EQ(dir.read("a.xml"), "old a");
        EXPECT_EQ(dir.read("b.xml"), "old b");
        EXPECT_EQ(dir.read("src\\old\\C.java"), "old c");
        EXPECT_FALSE(platform::file_exists(dir.path() + "src\\new")) << failing;
        EXPECT_EQ(
            testing_support::leftover_temporaries(testing_support::without_trailing(dir.path())),
            0);
    }
}

TEST(FileTransaction, FailureDuringTheSwapNamesWhatChanged) {
    scratch_folder dir;
    const file_transaction t = three_changes(dir);
    fault_guard faults([](platform::file_step step, const std::string& path) {
        return step == platform::file_step::move && ends_with(path, "b.xml");
    });
    const transaction_result r = commit_transaction(t);
    EXPECT_FALSE(r.completed);
    EXPECT_EQ(r.failed, dir.path() + "b.xml");
    EXPECT_EQ(r.changed, std::vector<std::string>{dir.path() + "a.xml"});
    EXPECT_EQ(r.unchanged,
              (std::vector<std::string>{dir.path() + "b.xml", dir.path() + "src\\new\\C.java"}));
    EXPECT_EQ(dir.read("a.xml"), "new a");
    EXPECT_EQ(dir.read("b.xml"), "old b");
    EXPECT_EQ(dir.read("src\\old\\C.java"), "old c");
    EXPECT_FALSE(platform::file_exists(dir.path() + "src\\new"));  // made for C.java alone
    EXPECT_EQ(testing_support::leftover_temporaries(testing_support::without_trailing(dir.path())),
              0);
}

TEST(FileTransaction, ReadOnlyFileStopsItBeforeAnything) {
    scratch_folder dir;
    const file_transaction t = three_changes(dir);
    testing_support::set_read_only(dir.path() + "b.xml", true);
    const transaction_result r = commit_transaction(t);
    testing_support::set_read_only(dir.path() + "b.xml", false);
    EXPECT_FALSE(r.completed);
    EXPECT_TRUE(r.changed.empty());
    EXPECT_EQ(dir.read("a.xml"), "old a");
}

TEST(FileTransaction, FailedFlushNamesTheFileNotItsStagedCopy) {
    scratch_folder dir;
    const file_transaction t = three_changes(dir);
    fault_guard faults([](platform::file_step step, const std::string&) {
        return step == platform::file_step::flush;
    });
    const transaction_result r = commit_transaction(t);
    EXPECT_FALSE(r.completed);
    EXPECT_EQ(r.failed, dir.path() + "a.xml");
    EXPECT_EQ(dir.read("a.xml"), "old a");
}
