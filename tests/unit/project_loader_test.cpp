#include "core/project/project_loader.h"

#include <gtest/gtest.h>

#include "core/project/permissions.h"
#include "test_support.h"

using namespace project;
using testing_support::copy_fixture;
using testing_support::scratch_folder;

namespace {
constexpr const char* kMinimalManifest =
    "<manifest package=\"a.b\" android:versionCode = \"7\">\n"
    "<application android:label=\"@string/app_name\" android:icon=\"@drawable/icon\"/>\n"
    "</manifest>\n";
}

TEST(ProjectLoader, RealWorldBasicProject) {
    scratch_folder dir;
    const std::string folder = copy_fixture("basic-project", dir);
    const loaded_project p = load_project_files(folder);
    EXPECT_EQ(p.kind, kind::basic);  // setup.xml mentions "BASIC! for Android"
    EXPECT_EQ(p.package_name, "com.rfo.basic");
    EXPECT_EQ(p.version_code, "1911");  // written with spaces around "="
    EXPECT_EQ(p.version_name, "01.91");
    EXPECT_EQ(p.min_sdk, "9");
    EXPECT_EQ(p.target_sdk, "19");
    EXPECT_EQ(p.app_name, "Demo Game");  // strings.xml lacks the key, setup.xml has it
    EXPECT_FALSE(p.has_gitignore);
    ASSERT_EQ(p.icon_files.size(), 4u);
    EXPECT_NE(p.icon_files[0].find("drawable-xhdpi"), std::string::npos);
    // Twenty table permissions are granted; the one in a comment (mock location) is not.
    int granted = 0;
    for (bool g : p.permissions) granted += g;
    EXPECT_EQ(granted, 19);
    EXPECT_FALSE(p.permissions[3]);
    EXPECT_FALSE(p.permissions[18]);  // DUMP
}

TEST(ProjectLoader, PlainAndroidProjectWithLowerCasePermission) {
    scratch_folder dir;
    const std::string folder = copy_fixture("android-project", dir);
    const loaded_project p = load_project_files(folder);
    EXPECT_EQ(p.kind, kind::android);
    EXPECT_EQ(p.app_name, "Caf\xC3\xA9 Notes");  // read as it stands for
    EXPECT_TRUE(p.permissions[1]);               // "internet" in lower case counts
    EXPECT_TRUE(p.has_gitignore);
    ASSERT_EQ(p.icon_files.size(), 1u);
    EXPECT_NE(p.icon_files[0].find("ic_launcher.png"), std::string::npos);
}

TEST(ProjectLoader, FolderWithoutManifest) {
    scratch_folder dir;
    const std::string folder = copy_fixture("no-manifest", dir);
    EXPECT_EQ(load_project_files(folder).kind, kind::no_manifest);
}

TEST(ProjectLoader, KindRules) {
    scratch_folder dir;
    dir.write("a\\AndroidManifest.xml", kMinimalManifest);
    dir.write("a\\res\\raw\\my_program.bas", "PRINT 1");
    dir.write("a\\res\\values\\setup.xml", "<resources/>");
    EXPECT_EQ(decide_kind(dir.path() + "a\\"), kind::basic);
    dir.write("b\\AndroidManifest.xml", kMinimalManifest);
    dir.write("b\\res\\values\\setup.xml", "<!-- basic! for android -->");
    EXPECT_EQ(decide_kind(dir.path() + "b\\"), kind::android);  // case-sensitive marker
    dir.write("c\\res\\raw\\my_program", "PRINT 1");
    EXPECT_EQ(decide_kind(dir.path() + "c\\"), kind::basic);
}

TEST(ProjectLoader, LabelResolution) {
    scratch_folder dir;
    dir.write("p\\AndroidManifest.xml", kMinimalManifest);
    dir.write("p\\res\\values\\strings.xml", "<string name=\"app_name\">From strings</string>");
    dir.write("p\\res\\values\\setup.xml", "<string name=\"app_name\">From setup</string>");
    EXPECT_EQ(load_project_files(dir.path() + "p\\").app_name, "From strings");

    dir.write("q\\AndroidManifest.xml", kMinimalManifest);
    EXPECT_EQ(load_project_files(dir.path() + "q\\").app_name, "");  // no resource files

    dir.write("r\\AndroidManifest.xml",
              "<manifest package=\"x\"><application android:label=\"Tom &amp; Jerry\"/>");
    EXPECT_EQ(load_project_files(dir.path() + "r\\").app_name, "Tom & Jerry");
}

TEST(ProjectLoader, FirstAttributeWinsAndMissingOnesAreEmpty) {
    scratch_folder dir;
    dir.write("p\\AndroidManifest.xml",
              "<manifest package=\"first.one\">\n<x package=\"second.one\"/>\n"
              "<uses-sdk android:minSdkVersion=\"100\"/>");
    loaded_project p = load_project_files(dir.path() + "p\\");
    EXPECT_EQ(p.package_name, "first.one");
    EXPECT_EQ(p.version_code, "");
    project_state state;
    store_loaded(p, state);
    EXPECT_EQ(state.min_sdk, "100");  // never cut
}

TEST(ProjectLoader, IconOnlyFromTheFourDensityFolders) {
    scratch_folder dir;
    dir.write("p\\AndroidManifest.xml", kMinimalManifest);
    dir.write("p\\res\\drawable-xxhdpi\\icon.png", "png");
    EXPECT_TRUE(load_project_files(dir.path() + "p\\").icon_files.empty());
    dir.write("p\\res\\drawable-mdpi\\icon.webp", "webp");
    dir.write("p\\res\\drawable-mdpi\\iconic.png", "not this one");
    const loaded_project p = load_project_files(dir.path() + "p\\");
    ASSERT_EQ(p.icon_files.size(), 1u);
    EXPECT_NE(p.icon_files[0].find("icon.webp"), std::string::npos);
}

TEST(ProjectLoader, ValuesAreReadFromTheirElementsOnly) {
    scratch_folder dir;
    dir.write("p\\AndroidManifest.xml",
              "<!-- <manifest package=\"in.a.comment\"> -->\n"
              "<manifest package = 'real.one' android:versionName=\"2.0 >beta\">\n"
              "<application android:label=\"x android:versionCode=&quot;9&quot;\">\n"
              "<activity android:permission=\"android.permission.CALL_PHONE\"/>\n"
              "</application></manifest>\n");
    const loaded_project p = load_project_files(dir.path() + "p\\");
    EXPECT_EQ(p.package_name, "real.one");
    EXPECT_EQ(p.version_name, "2.0 >beta");
    EXPECT_EQ(p.version_code, "");
    EXPECT_EQ(p.app_name, "x android:versionCode=9");  // quotes read as Android reads them
    EXPECT_EQ(p.permissions, permission_flags{});
}
