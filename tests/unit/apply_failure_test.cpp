// Files that cannot be written: nothing is lost, and the result names the file.
#include <gtest/gtest.h>

#include "core/project/apply_changes.h"
#include "core/project/project_loader.h"
#include "platform/platform.h"
#include "test_support.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/win32/utf16.h"
#else
#include <sys/stat.h>

#include <algorithm>
#endif

using namespace project;
using testing_support::scratch_folder;

namespace {

// Marks a file read-only for the length of a test, and writable again at its end.
class read_only_file {
public:
    explicit read_only_file(std::string path) : path_(std::move(path)) { set(true); }
    ~read_only_file() { set(false); }
    read_only_file(const read_only_file&) = delete;
    read_only_file& operator=(const read_only_file&) = delete;

private:
    void set(bool read_only) {
#ifdef _WIN32
        const std::wstring w = widen(path_);
        const DWORD a = GetFileAttributesW(w.c_str());
        SetFileAttributesW(
            w.c_str(), read_only ? (a | FILE_ATTRIBUTE_READONLY) : (a & ~FILE_ATTRIBUTE_READONLY));
#else
        std::string p = path_;
        std::replace(p.begin(), p.end(), '\\', '/');
        chmod(p.c_str(), read_only ? 0444 : 0644);
#endif
    }
    std::string path_;
};

const std::string kManifest =
    "<manifest package=\"com.example.app\" android:versionCode=\"1\">\n"
    "    <application android:label=\"@string/app_name\" />\n</manifest>\n";
const std::string kStrings = "<resources><string name=\"app_name\">Old</string></resources>\n";

project_state loaded(const std::string& folder) {
    project_state state;
    state.project_folder = folder;
    store_loaded(load_project_files(folder), state);
    return state;
}

bool names(const apply_result& result, apply_problem_kind kind, const std::string& path) {
    for (const apply_problem& p : result.problems)
        if (p.kind == kind && p.path == path) return true;
    return false;
}

}  // namespace

TEST(ApplyFailure, ReadOnlyStringsKeepsItsTextAndIsNamed) {
    scratch_folder dir;
    dir.write("AndroidManifest.xml", kManifest);
    const std::string strings = dir.write("res\\values\\strings.xml", kStrings);
    project_state state = loaded(dir.path());
    state.app_name = "New";
    state.version_code = "2";
    read_only_file guard(strings);

    const apply_result result = apply_project_changes(state);
    EXPECT_FALSE(result.succeeded());
    EXPECT_TRUE(names(result, apply_problem_kind::unwritable, strings));
    EXPECT_FALSE(result.label_changed);
    EXPECT_EQ(dir.read("res\\values\\strings.xml"), kStrings);
    EXPECT_NE(problems_text(result).find(strings), std::string::npos);
    // What could be written was written.
    EXPECT_NE(dir.read("AndroidManifest.xml").find("android:versionCode=\"2\""), std::string::npos);
    // No temporary file is left behind.
    EXPECT_FALSE(platform::file_exists(strings + ".vxtmp"));
}

TEST(ApplyFailure, ReadOnlyManifestStopsBeforeAnythingElse) {
    scratch_folder dir;
    const std::string manifest = dir.write("AndroidManifest.xml", kManifest);
    dir.write("res\\values\\strings.xml", kStrings);
    dir.write("src\\com\\example\\app\\Main.java", "package com.example.app;");
    project_state state = loaded(dir.path());
    state.app_name = "New";
    state.package_name = "org.demo.app";
    read_only_file guard(manifest);

    const apply_result result = apply_project_changes(state);
    ASSERT_EQ(result.problems.size(), 1u);
    EXPECT_TRUE(names(result, apply_problem_kind::unwritable, manifest));
    EXPECT_EQ(dir.read("AndroidManifest.xml"), kManifest);
    EXPECT_EQ(dir.read("res\\values\\strings.xml"), kStrings);
    EXPECT_EQ(dir.read("src\\com\\example\\app\\Main.java"), "package com.example.app;");
    EXPECT_FALSE(result.package_renamed);
}

TEST(ApplyFailure, ReadOnlySourceStaysWhereItWasWithItsText) {
    scratch_folder dir;
    dir.write("AndroidManifest.xml", kManifest);
    const std::string locked =
        dir.write("src\\com\\example\\app\\Locked.java", "package com.example.app;");
    dir.write("src\\com\\example\\app\\Free.java", "package com.example.app;");
    project_state state = loaded(dir.path());
    state.package_name = "org.demo.app";
    read_only_file guard(locked);

    const apply_result result = apply_project_changes(state);
    EXPECT_TRUE(names(result, apply_problem_kind::unwritable, locked));
    EXPECT_EQ(result.problems.size(), 1u);
    EXPECT_EQ(dir.read("src\\com\\example\\app\\Locked.java"), "package com.example.app;");
    EXPECT_FALSE(platform::file_exists(dir.path() + "src\\org\\demo\\app\\Locked.java"));
    EXPECT_EQ(dir.read("src\\org\\demo\\app\\Free.java"), "package org.demo.app;");
    EXPECT_FALSE(platform::file_exists(dir.path() + "src\\com\\example\\app\\Free.java"));
    EXPECT_TRUE(platform::is_directory(dir.path() + "src\\com\\example\\app"));  // still holds one
}

TEST(ApplyFailure, ReadOnlySetupXmlKeepsTheVersion) {
    scratch_folder dir;
    dir.write("AndroidManifest.xml",
              "<manifest package=\"a.b\" android:versionName=\"1.0\">\n"
              "<application android:label=\"Lit\" />\n</manifest>\n");
    const std::string setup_text =
        "<resources><!-- BASIC! for Android --><string name=\"version\">001.0</string></resources>";
    const std::string setup = dir.write("res\\values\\setup.xml", setup_text);
    project_state state = loaded(dir.path());
    ASSERT_EQ(state.project_kind, kind_basic);
    state.version_name = "2.0";
    read_only_file guard(setup);

    const apply_result result = apply_project_changes(state);
    EXPECT_TRUE(names(result, apply_problem_kind::unwritable, setup));
    EXPECT_FALSE(result.basic_version_changed);
    EXPECT_EQ(dir.read("res\\values\\setup.xml"), setup_text);
}
