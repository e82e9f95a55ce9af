// The package rename across the project's sources and XML files.
#include <gtest/gtest.h>

#include "core/project/apply_changes.h"
#include "core/project/project_loader.h"
#include "platform/platform.h"
#include "test_support.h"

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
    project_state state;
    state.project_folder = folder;
    store_loaded(load_project_files(folder), state);
    return state;
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
    EXPECT_EQ(result.old_package, "com.example.app");
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

TEST(ApplyRename, ManifestWithoutPackageGetsNoSourcesMoved) {
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
    EXPECT_EQ(dir.read("AndroidManifest.xml"), no_package);
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
