// The package rename across the project's sources and XML files.
#include <gtest/gtest.h>

#include "apply_support.h"
#include "core/project/apply_changes.h"
#include "core/project/apply_report.h"
#include "core/project/package_rename.h"
#include "core/project/project_loader.h"
#include "platform/platform.h"
#include "test_support.h"

#include <algorithm>
#include <map>

using namespace project;
using testing_support::scratch_folder;

namespace {

std::string manifest(const std::string& package) {
    return "<manifest xmlns:android=\"http://schemas.android.com/apk/res/android\"\n"
           "    package=\"" +
           package +
           "\">\n"
           "    <application android:label=\"Demo\">\n"
           "        <activity android:name=\"" +
           package +
           ".Main\" />\n"
           "        <activity android:name=\".ui.Screen\" />\n"
           "    </application>\n</manifest>\n";
}

std::string java(const std::string& package, const std::string& body) {
    return "package " + package + ";\r\n\r\n" + body;
}

bool exists(const scratch_folder& dir, const std::string& relative) {
    return platform::file_exists(dir.path() + relative);
}

project_state loaded(const std::string& folder) {
    return testing_support::loaded_record(folder);
}

// Applies the record against the files as they are loaded now.
apply_result apply_project_changes(const project_state& edited) {
    return testing_support::apply_edits(loaded(edited.project_folder), edited);
}

// A project in package com.example.app with a sub-package, a resource beside the sources, a
// layout naming a custom view, and references that only look like the package.
void write_project(const scratch_folder& dir) {
    dir.write("AndroidManifest.xml", manifest("com.example.app"));
    dir.write("src\\com\\example\\app\\Main.java",
              java("com.example.app",
                   "import com.example.app.ui.Screen;\r\nimport com.example.apple.Pie;\r\n"
                   "import net.com.example.app.Other;\r\nclass Main { int r = "
                   "com.example.app.R.id.x; }\r\n"));
    dir.write("src\\com\\example\\app\\ui\\Screen.java",
              java("com.example.app.ui", "class Screen {}\r\n"));
    dir.write("src\\com\\example\\app\\ui\\deep\\Deeper.java",
              java("com.example.app.ui.deep", "class Deeper {}\r\n"));
    dir.write("src\\com\\example\\app\\notes.txt", "mentions com.example.app but is no source");
    dir.write("src\\com\\example\\app\\package.html", "<p>com.example.app</p>");
    dir.write("src\\com\\example\\apple\\Pie.java", java("com.example.apple", "class Pie {}\r\n"));
    dir.write("res\\layout\\main.xml",
              "<com.example.app.ui.Widget xmlns:app=\"http://schemas.android.com/apk/res/"
              "com.example.app\" />\n");
    dir.write("res\\values\\strings.xml",
              "<resources><string name=\"p\">com.example.app_x</string></resources>");
}

}  // namespace

TEST(RenamedPackageText, WholeNamesOnly) {
    const auto r = [](std::string_view text) {
        return renamed_package_text(text, "com.example.app", "org.demo.app");
    };
    EXPECT_EQ(r("package com.example.app;"), "package org.demo.app;");
    EXPECT_EQ(r("com.example.app.ui.Screen"), "org.demo.app.ui.Screen");
    EXPECT_EQ(r("com.example.app.R.id"), "org.demo.app.R.id");
    EXPECT_EQ(r("com.example.apple"), "com.example.apple");
    EXPECT_EQ(r("net.com.example.app"), "net.com.example.app");
    EXPECT_EQ(r("com.example.app_x com.example.app$1 xcom.example.app"),
              "com.example.app_x com.example.app$1 xcom.example.app");
    EXPECT_EQ(r("\"com.example.app\"/com.example.app"), "\"org.demo.app\"/org.demo.app");
    EXPECT_EQ(r("com.example.app"), "org.demo.app");
    EXPECT_EQ(r(""), "");
    EXPECT_EQ(renamed_package_text("a.a.a a.a", "a.a", "b"), "b.a b");  // a sub-package
    EXPECT_EQ(renamed_package_text("x.a.a.a", "a.a", "b"), "x.a.a.a");
}

TEST(RenamedPackageText, NewNameContainingTheOldIsNotRenamedAgain) {
    const auto r = [](std::string_view text) {
        return renamed_package_text(text, "com.example.app", "com.example.app.pro");
    };
    EXPECT_EQ(r("package com.example.app;"), "package com.example.app.pro;");
    EXPECT_EQ(r("package=\"com.example.app.pro\""), "package=\"com.example.app.pro\"");
    EXPECT_EQ(r("com.example.app.pro.ui"), "com.example.app.pro.ui");
    EXPECT_EQ(r("com.example.app.product"), "com.example.app.pro.product");
    EXPECT_EQ(r("com.example.app.ui"), "com.example.app.pro.ui");
    // The old name at the end of the new one.
    EXPECT_EQ(renamed_package_text("my.app and x.my.app", "my.app", "x.my.app"),
              "x.my.app and x.my.app");
}

TEST(IsValidPackageName, RejectsPathsAndEmptyParts) {
    EXPECT_TRUE(is_valid_package_name("com.example.app"));
    EXPECT_TRUE(is_valid_package_name("a_b.$c.d9"));
    EXPECT_TRUE(is_valid_package_name("single"));
    EXPECT_FALSE(is_valid_package_name(""));
    EXPECT_FALSE(is_valid_package_name("com..app"));
    EXPECT_FALSE(is_valid_package_name(".com.app"));
    EXPECT_FALSE(is_valid_package_name("com.app."));
    EXPECT_FALSE(is_valid_package_name("..\\..\\evil"));
    EXPECT_FALSE(is_valid_package_name("com/app"));
    EXPECT_FALSE(is_valid_package_name("com.my app"));
    EXPECT_FALSE(is_valid_package_name("com.\"x\""));
}

TEST(ApplyRename, MovesSourcesRewritesReferencesAndRemovesOldFolders) {
    scratch_folder dir;
    write_project(dir);
    project_state state = loaded(dir.path());
    state.package_name = "org.demo.app";
    const apply_result result = apply_project_changes(state);
    EXPECT_TRUE(result.succeeded()) << problems_text(result);
    EXPECT_TRUE(result.package_renamed);
    EXPECT_EQ(result.files_moved, 5u);

    EXPECT_EQ(dir.read("AndroidManifest.xml"), manifest("org.demo.app"));
    EXPECT_EQ(dir.read("src\\org\\demo\\app\\Main.java"),
              java("org.demo.app",
                   "import org.demo.app.ui.Screen;\r\nimport com.example.apple.Pie;\r\n"
                   "import net.com.example.app.Other;\r\nclass Main { int r = org.demo.app.R.id.x; "
                   "}\r\n"));
    EXPECT_EQ(dir.read("src\\org\\demo\\app\\ui\\Screen.java"),
              java("org.demo.app.ui", "class Screen {}\r\n"));
    EXPECT_EQ(dir.read("src\\org\\demo\\app\\ui\\deep\\Deeper.java"),
              java("org.demo.app.ui.deep", "class Deeper {}\r\n"));
    // Non-Java files move with the sources, their text untouched.
    EXPECT_EQ(dir.read("src\\org\\demo\\app\\notes.txt"),
              "mentions com.example.app but is no source");
    EXPECT_EQ(dir.read("src\\org\\demo\\app\\package.html"), "<p>com.example.app</p>");
    EXPECT_EQ(dir.read("res\\layout\\main.xml"),
              "<org.demo.app.ui.Widget xmlns:app=\"http://schemas.android.com/apk/res/"
              "org.demo.app\" />\n");
    EXPECT_EQ(dir.read("res\\values\\strings.xml"),
              "<resources><string name=\"p\">com.example.app_x</string></resources>");

    EXPECT_FALSE(exists(dir, "src\\com\\example\\app"));
    // The neighbouring package keeps its folder, and so its parents stay.
    EXPECT_EQ(dir.read("src\\com\\example\\apple\\Pie.java"),
              java("com.example.apple", "class Pie {}\r\n"));
    EXPECT_TRUE(exists(dir, "src\\com\\example"));
    EXPECT_EQ(load_project_files(dir.path()).package_name, "org.demo.app");
}

TEST(ApplyRename, EmptiedParentFoldersGoUpToSrc) {
    scratch_folder dir;
    dir.write("AndroidManifest.xml", manifest("com.example.app"));
    dir.write("src\\com\\example\\app\\Main.java", java("com.example.app", ""));
    dir.write("src\\com\\example\\app\\empty\\.keep", "");
    project_state state = loaded(dir.path());
    state.package_name = "org.demo.app";
    EXPECT_TRUE(apply_project_changes(state).succeeded());
    EXPECT_FALSE(exists(dir, "src\\com"));
    EXPECT_TRUE(exists(dir, "src"));
    EXPECT_TRUE(exists(dir, "src\\org\\demo\\app\\Main.java"));
    EXPECT_TRUE(exists(dir, "src\\org\\demo\\app\\empty\\.keep"));
}

TEST(ApplyRename, EmptyFolderOfThePackageComesAlong) {
    scratch_folder dir;
    dir.write("AndroidManifest.xml", manifest("com.example.app"));
    dir.write("src\\com\\example\\app\\Main.java", java("com.example.app", ""));
    platform::make_directories(dir.path() + "src\\com\\example\\app\\assets");
    project_state state = loaded(dir.path());
    state.package_name = "org.demo.app";
    EXPECT_TRUE(apply_project_changes(state).succeeded());
    EXPECT_TRUE(platform::is_directory(dir.path() + "src\\org\\demo\\app\\assets"));
    EXPECT_FALSE(exists(dir, "src\\com"));
}

TEST(ApplyRename, NewNameInsideTheOldOne) {
    scratch_folder dir;
    write_project(dir);
    project_state state = loaded(dir.path());
    state.package_name = "com.example.app.pro";
    const apply_result result = apply_project_changes(state);
    EXPECT_TRUE(result.succeeded()) << problems_text(result);
    EXPECT_EQ(dir.read("AndroidManifest.xml"), manifest("com.example.app.pro"));
    EXPECT_EQ(dir.read("src\\com\\example\\app\\pro\\Main.java"),
              java("com.example.app.pro",
                   "import com.example.app.pro.ui.Screen;\r\nimport com.example.apple.Pie;\r\n"
                   "import net.com.example.app.Other;\r\n"
                   "class Main { int r = com.example.app.pro.R.id.x; }\r\n"));
    EXPECT_EQ(dir.read("src\\com\\example\\app\\pro\\ui\\deep\\Deeper.java"),
              java("com.example.app.pro.ui.deep", "class Deeper {}\r\n"));
    EXPECT_FALSE(exists(dir, "src\\com\\example\\app\\Main.java"));
    EXPECT_FALSE(exists(dir, "src\\com\\example\\app\\ui"));
    EXPECT_EQ(load_project_files(dir.path()).package_name, "com.example.app.pro");
}

TEST(ApplyRename, OldNameInsideTheNewOneTheOtherWayRound) {
    scratch_folder dir;
    dir.write("AndroidManifest.xml", manifest("com.example.app.pro"));
    dir.write("src\\com\\example\\app\\pro\\Main.java",
              java("com.example.app.pro", "class Main {}"));
    dir.write("src\\com\\example\\app\\pro\\pro\\Inner.java",
              java("com.example.app.pro.pro", "class Inner {}"));
    project_state state = loaded(dir.path());
    state.package_name = "com.example.app";
    const apply_result result = apply_project_changes(state);
    EXPECT_TRUE(result.succeeded()) << problems_text(result);
    EXPECT_EQ(dir.read("src\\com\\example\\app\\Main.java"),
              java("com.example.app", "class Main {}"));
    EXPECT_EQ(dir.read("src\\com\\example\\app\\pro\\Inner.java"),
              java("com.example.app.pro", "class Inner {}"));
    EXPECT_FALSE(exists(dir, "src\\com\\example\\app\\pro\\pro"));
}

TEST(ApplyRename, FileInTheWayStopsEverythingBeforeAnyWrite) {
    scratch_folder dir;
    write_project(dir);
    dir.write("src\\org\\demo\\app\\Main.java", "someone else's file");
    project_state state = loaded(dir.path());
    state.package_name = "org.demo.app";
    state.version_code = "99";
    const apply_result result = apply_project_changes(state);
    ASSERT_EQ(result.problems.size(), 1u);
    EXPECT_EQ(result.problems[0].kind, apply_problem_kind::in_the_way);
    EXPECT_EQ(result.problems[0].path, dir.path() + "src\\org\\demo\\app\\Main.java");
    EXPECT_EQ(dir.read("src\\org\\demo\\app\\Main.java"), "someone else's file");
    EXPECT_EQ(dir.read("AndroidManifest.xml"), manifest("com.example.app"));
    EXPECT_TRUE(exists(dir, "src\\com\\example\\app\\Main.java"));
}

TEST(ApplyRename, InvalidPackageNameIsRefused) {
    scratch_folder dir;
    write_project(dir);
    project_state state = loaded(dir.path());
    state.package_name = "..\\..\\outside";
    const apply_result result = apply_project_changes(state);
    ASSERT_EQ(result.problems.size(), 1u);
    EXPECT_EQ(result.problems[0].kind, apply_problem_kind::invalid_package);
    EXPECT_EQ(dir.read("AndroidManifest.xml"), manifest("com.example.app"));
    EXPECT_TRUE(exists(dir, "src\\com\\example\\app\\Main.java"));
}

TEST(ApplyRename, ManifestWithoutPackageGetsOneAndNoSourcesMoved) {
    scratch_folder dir;
    const std::string no_package = "<manifest>\n<application android:label=\"A\" />\n</manifest>\n";
    dir.write("AndroidManifest.xml", no_package);
    dir.write("src\\Main.java", "class Main {}");
    project_state state = loaded(dir.path());
    ASSERT_EQ(state.package_name, "");
    state.package_name = "org.demo.app";
    const apply_result result = apply_project_changes(state);
    EXPECT_TRUE(result.succeeded());
    EXPECT_FALSE(result.package_renamed);
    EXPECT_EQ(dir.read("src\\Main.java"), "class Main {}");
    EXPECT_EQ(dir.read("AndroidManifest.xml"),
              "<manifest package=\"org.demo.app\">\n<application android:label=\"A\" />\n"
              "</manifest>\n");
}

TEST(ApplyRename, RealBasicProject) {
    scratch_folder dir;
    const std::string project = testing_support::copy_fixture("basic-project", dir);
    project_state state = loaded(project);
    ASSERT_EQ(state.package_name, "com.rfo.basic");
    state.package_name = "com.example.mygame";
    const apply_result result = apply_project_changes(state);
    EXPECT_TRUE(result.succeeded()) << problems_text(result);
    EXPECT_EQ(result.files_moved, 2u);
    std::string run;
    ASSERT_TRUE(platform::read_file(project + "src\\com\\example\\mygame\\Run.java", run));
    EXPECT_EQ(run.find("com.rfo.basic"), std::string::npos);
    EXPECT_FALSE(platform::file_exists(project + "src\\com\\rfo"));
    EXPECT_EQ(load_project_files(project).package_name, "com.example.mygame");
    // Everything that named the old package names the new one now.
    std::string layout;
    ASSERT_TRUE(platform::read_file(project + "res\\layout\\console.xml", layout));
    EXPECT_EQ(layout.find("com.rfo.basic"), std::string::npos);
}

namespace {

struct fault_guard {
    explicit fault_guard(platform::fault_hook hook) { platform::set_fault_hook(std::move(hook)); }
    ~fault_guard() { platform::set_fault_hook(nullptr); }
};

bool ends_with(const std::string& s, std::string_view tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// Every file below a folder with its bytes, by relative path.
std::map<std::string, std::string> snapshot(const std::string& folder) {
    std::map<std::string, std::string> out;
    std::vector<assets::file_record> files;
    assets::list_files(folder, files);
    for (const assets::file_record& f : files) {
        std::string bytes;
        platform::read_file(f.path, bytes);
        out[f.path.substr(folder.size())] = bytes;
    }
    return out;
}

}  // namespace

TEST(ApplyRename, ChangesAllFilesOrNoneWithOneFlush) {
    scratch_folder dir;
    write_project(dir);
    const auto before = snapshot(dir.path());
    project_state state = loaded(dir.path());
    state.package_name = "org.demo.app";
    state.version_code = "5";
    {
        // The disk fills up while the last source is staged: nothing changes.
        fault_guard faults([](platform::file_step step, const std::string& path) {
            return step == platform::file_step::write &&
                   path.find("Deeper.java") != std::string::npos;
        });
        const apply_result result = apply_project_changes(state);
        ASSERT_EQ(result.problems.size(), 1u);
        EXPECT_EQ(result.problems[0].kind, apply_problem_kind::not_written);
        EXPECT_TRUE(result.changed_files.empty());
        EXPECT_FALSE(result.applied.any());
    }
    EXPECT_EQ(snapshot(dir.path()), before);
    EXPECT_FALSE(exists(dir, "src\\org"));

    int flushes = 0;
    fault_guard count([&flushes](platform::file_step step, const std::string&) {
        flushes += step == platform::file_step::flush;
        return false;
    });
    EXPECT_TRUE(apply_project_changes(state).succeeded());
    EXPECT_EQ(flushes, 1);
}

TEST(ApplyRename, InterruptedSwapIsReportedAndTheNextApplyCompletesIt) {
    scratch_folder dir, clean;
    write_project(dir);
    write_project(clean);
    project_state state = loaded(dir.path());
    state.package_name = "org.demo.app";
    project_state clean_state = loaded(clean.path());
    clean_state.package_name = "org.demo.app";
    ASSERT_TRUE(apply_project_changes(clean_state).succeeded());
    {
        // A source held open by another program cannot move.
        fault_guard faults([](platform::file_step step, const std::string& path) {
            return step == platform::file_step::move && ends_with(path, "Screen.java");
        });
        const apply_result result = apply_project_changes(state);
        ASSERT_EQ(result.problems.size(), 1u);
        EXPECT_EQ(result.problems[0].kind, apply_problem_kind::interrupted);
        EXPECT_EQ(result.problems[0].path, dir.path() + "src\\org\\demo\\app\\ui\\Screen.java");
        EXPECT_NE(std::find(result.changed_files.begin(), result.changed_files.end(),
                            dir.path() + "AndroidManifest.xml"),
                  result.changed_files.end());
        EXPECT_NE(std::find(result.unchanged_files.begin(), result.unchanged_files.end(),
                            dir.path() + "src\\org\\demo\\app\\ui\\Screen.java"),
                  result.unchanged_files.end());
        const std::string text = problems_text(result);
        EXPECT_NE(text.find("Changed:"), std::string::npos);
        EXPECT_NE(
            text.find("Not changed:\r    " + dir.path() + "src\\org\\demo\\app\\ui\\Screen.java"),
            std::string::npos);
        // The manifest names the new package, the source still sits in the old folder.
        EXPECT_EQ(result.reloaded.package_name, "org.demo.app");
        EXPECT_TRUE(result.reloaded.unfinished_rename);
        EXPECT_TRUE(exists(dir, "src\\com\\example\\app\\ui\\Screen.java"));
    }
    // Apply again, nothing else changed: the move is finished.
    const project_state now = loaded(dir.path());
    const apply_result again = testing_support::apply_edits(now, now);
    EXPECT_TRUE(again.succeeded()) << problems_text(again);
    EXPECT_TRUE(again.rename_completed);
    EXPECT_FALSE(again.reloaded.unfinished_rename);
    EXPECT_EQ(snapshot(dir.path()), snapshot(clean.path()));
}

TEST(ApplyRename, SwapStoppedAtItsFirstFileLeavesNoJournal) {
    scratch_folder dir;
    write_project(dir);
    const auto before = snapshot(dir.path());
    project_state state = loaded(dir.path());
    state.package_name = "org.demo.app";
    fault_guard faults([](platform::file_step step, const std::string& path) {
        return step == platform::file_step::move && ends_with(path, "AndroidManifest.xml");
    });
    const apply_result result = apply_project_changes(state);
    ASSERT_EQ(result.problems.size(), 1u);
    EXPECT_EQ(result.problems[0].kind, apply_problem_kind::not_written);
    EXPECT_NE(problems_text(result).find("Nothing was changed."), std::string::npos);
    EXPECT_FALSE(result.reloaded.unfinished_rename);
    EXPECT_EQ(snapshot(dir.path()), before);
}

TEST(ApplyRename, SourceThatCannotBeReadStopsEverythingBeforeAnyWrite) {
    scratch_folder dir;
    write_project(dir);
    const auto before = snapshot(dir.path());
    project_state state = loaded(dir.path());
    state.package_name = "org.demo.app";
    // Another program holds the source without sharing it: moved unread, it would keep
    // naming the old package in the new folder.
    apply_result result;
    {
        fault_guard faults([](platform::file_step step, const std::string& path) {
            return step == platform::file_step::read && ends_with(path, "Screen.java");
        });
        result = apply_project_changes(state);
    }
    ASSERT_EQ(result.problems.size(), 1u);
    EXPECT_EQ(result.problems[0].kind, apply_problem_kind::unreadable);
    EXPECT_EQ(problems_text(result),
              "Could not read " + dir.path() +
                  "src\\com\\example\\app\\ui\\Screen.java: nothing was changed.");
    EXPECT_EQ(snapshot(dir.path()), before);
}

TEST(ApplyRename, InterruptedNestedRenameCompletesToo) {
    scratch_folder dir, clean;
    write_project(dir);
    write_project(clean);
    for (const scratch_folder* d : {&dir, &clean})
        d->write("src\\com\\example\\app\\pro\\Old.java", java("com.example.app.pro", ""));
    project_state clean_state = loaded(clean.path());
    clean_state.package_name = "com.example.app.pro";
    ASSERT_TRUE(apply_project_changes(clean_state).succeeded());
    project_state state = loaded(dir.path());
    state.package_name = "com.example.app.pro";
    {
        fault_guard faults([](platform::file_step step, const std::string& path) {
            return step == platform::file_step::move && ends_with(path, "pro\\Main.java");
        });
        EXPECT_FALSE(apply_project_changes(state).succeeded());
    }
    const project_state now = loaded(dir.path());
    const apply_result again = testing_support::apply_edits(now, now);
    EXPECT_TRUE(again.succeeded()) << problems_text(again);
    EXPECT_EQ(snapshot(dir.path()), snapshot(clean.path()));
}

TEST(ApplyRename, OldPackageBehindALinkLeavesTheOutsideAlone) {
    scratch_folder dir, outside;
    dir.write("AndroidManifest.xml", manifest("com.example.app"));
    outside.write("example\\app\\Main.java", java("com.example.app", "class Main {}"));
    outside.write("example\\app\\sub\\keep.txt", "keep");
    const auto outside_before = snapshot(outside.path());
    platform::make_directories(dir.path() + "src");
    if (!testing_support::make_link(testing_support::without_trailing(outside.path()),
                                    dir.path() + "src\\com"))
        GTEST_SKIP() << "no folder link could be made here";
    project_state state = loaded(dir.path());
    state.package_name = "org.demo.app";
    const apply_result result = apply_project_changes(state);
    ASSERT_EQ(result.problems.size(), 1u);
    EXPECT_EQ(result.problems[0].kind, apply_problem_kind::behind_a_link);
    EXPECT_EQ(result.problems[0].path, dir.path() + "src\\com");
    EXPECT_EQ(snapshot(outside.path()), outside_before);
    EXPECT_TRUE(platform::is_directory(outside.path() + "example\\app\\sub"));
    EXPECT_EQ(dir.read("AndroidManifest.xml"), manifest("com.example.app"));
}

TEST(ApplyRename, RecordTakesTheNameTheRenameWroteIntoStrings) {
    scratch_folder dir;
    dir.write("AndroidManifest.xml",
              "<manifest package=\"com.example.notes\">\n"
              "<application android:label=\"@string/app_name\"/>\n</manifest>\n");
    dir.write("res\\values\\strings.xml",
              "<resources><string name=\"app_name\">com.example.notes</string></resources>");
    const project_state before = loaded(dir.path());
    project_state state = before;
    state.package_name = "com.example.todo";
    const apply_result result = testing_support::apply_edits(before, state);
    EXPECT_TRUE(result.succeeded());
    EXPECT_EQ(result.reloaded.app_name, "com.example.todo");
    store_loaded(result.reloaded, state);
    // The next Apply of something else keeps the name the file now holds.
    const project_state now = state;
    state.version_code = "2";
    EXPECT_TRUE(testing_support::apply_edits(now, state).succeeded());
    EXPECT_EQ(loaded(dir.path()).app_name, "com.example.todo");
}

TEST(ApplyRename, JournalMovesOnlyFromTheOldPackageToTheNew) {
    const char* const moves[] = {
        "res\\values\\strings.xml\tsrc\\org\\demo\\app\\strings.xml",
        "src\\com\\example\\app\\Main.java\tres\\Main.java",
        "src\\com\\example\\app\\..\\..\\..\\AndroidManifest.xml\tsrc\\org\\demo\\app\\..\\..\\.."
        "\\x",
    };
    for (const char* move : moves) {
        scratch_folder dir;
        write_project(dir);
        const auto before = snapshot(dir.path());
        dir.write(".vexlo-rename", std::string("vexlo package rename\nfrom\tcom.example.app\nto\t"
                                               "org.demo.app\nmove\t") +
                                       move + "\n");
        rename_journal journal;
        EXPECT_FALSE(read_journal(dir.path(), journal)) << move;
        const project_state now = loaded(dir.path());
        EXPECT_FALSE(load_project_files(dir.path()).unfinished_rename);
        testing_support::apply_edits(now, now);
        auto after = snapshot(dir.path());
        after.erase(".vexlo-rename");
        EXPECT_EQ(after, before) << move;
    }
}
