// The app name in the string resources and BASIC!'s settings as applying rewrites them.
#include <gtest/gtest.h>

#include "core/project/apply_changes.h"
#include "core/project/project_loader.h"
#include "platform/platform.h"
#include "test_support.h"

using namespace project;
using testing_support::scratch_folder;

namespace {

const std::string kManifest =
    "<manifest package=\"com.example.app\" android:versionName=\"1.0\">\n"
    "    <application android:label=\"@string/app_name\" />\n</manifest>\n";

std::string setup_xml(const std::string& name, const std::string& version,
                      const std::string& run_name) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
           "<!-- BASIC! for Android settings -->\r\n<resources>\r\n"
           "    <string name=\"app_name\">" +
           name +
           "</string>\r\n"
           "    <string name=\"version\">" +
           version +
           "</string>\r\n"
           "    <string name=\"run_name\">" +
           run_name +
           "</string>\r\n"
           "</resources>\r\n";
}

std::string strings_xml(const std::string& name) {
    return "<resources>\n    <string name=\"hello\">Hello</string>\n"
           "    <string name=\"app_name\">" +
           name + "</string>\n</resources>\n";
}

project_state loaded(const std::string& folder) {
    project_state state;
    state.project_folder = folder;
    store_loaded(load_project_files(folder), state);
    return state;
}

}  // namespace

TEST(ApplyLabel, NameInStringsXml) {
    scratch_folder dir;
    dir.write("AndroidManifest.xml", kManifest);
    dir.write("res\\values\\strings.xml", strings_xml("Old Name"));
    project_state state = loaded(dir.path());
    ASSERT_EQ(state.project_kind, kind_android);
    ASSERT_EQ(state.app_name, "Old Name");
    state.app_name = "New Name";
    const apply_result result = apply_project_changes(state);
    EXPECT_TRUE(result.succeeded());
    EXPECT_TRUE(result.label_changed);
    EXPECT_FALSE(result.manifest_changed);
    EXPECT_EQ(dir.read("res\\values\\strings.xml"), strings_xml("New Name"));
    EXPECT_EQ(dir.read("AndroidManifest.xml"), kManifest);
    EXPECT_FALSE(platform::file_exists(dir.path() + "res\\values\\setup.xml"));
}

TEST(ApplyLabel, NameInSetupXmlWithRunNameForBasicProjects) {
    scratch_folder dir;
    dir.write("AndroidManifest.xml", kManifest);
    dir.write("res\\values\\strings.xml", "<resources>\n</resources>\n");
    dir.write("res\\values\\setup.xml", setup_xml("Old", "001.0", "Old"));
    project_state state = loaded(dir.path());
    ASSERT_EQ(state.project_kind, kind_basic);
    ASSERT_EQ(state.app_name, "Old");
    state.app_name = "Fish & Chips";
    const apply_result result = apply_project_changes(state);
    EXPECT_TRUE(result.succeeded());
    EXPECT_TRUE(result.label_changed);
    EXPECT_TRUE(result.run_name_changed);
    EXPECT_EQ(dir.read("res\\values\\setup.xml"),
              setup_xml("Fish &amp; Chips", "001.0", "Fish &amp; Chips"));
    EXPECT_EQ(dir.read("res\\values\\strings.xml"), "<resources>\n</resources>\n");
    EXPECT_EQ(load_project_files(dir.path()).app_name, "Fish &amp; Chips");
}

TEST(ApplyLabel, RunNameOnlyBesideTheLabelString) {
    scratch_folder dir;
    dir.write("AndroidManifest.xml", kManifest);
    dir.write("res\\values\\strings.xml", strings_xml("Old"));
    dir.write("res\\values\\setup.xml", setup_xml("Setup", "001.0", "Runner"));
    dir.write("res\\raw\\my_program.bas", "print 1\n");
    project_state state = loaded(dir.path());
    ASSERT_EQ(state.project_kind, kind_basic);
    state.app_name = "New";
    EXPECT_TRUE(apply_project_changes(state).succeeded());
    EXPECT_EQ(dir.read("res\\values\\strings.xml"), strings_xml("New"));
    EXPECT_EQ(dir.read("res\\values\\setup.xml"), setup_xml("Setup", "001.0", "Runner"));
}

TEST(ApplyLabel, PlainAndroidProjectKeepsRunName) {
    scratch_folder dir;
    dir.write("AndroidManifest.xml", kManifest);
    const std::string strings =
        "<resources>\n<string name=\"app_name\">A</string>\n"
        "<string name=\"run_name\">A</string>\n</resources>\n";
    dir.write("res\\values\\strings.xml", strings);
    project_state state = loaded(dir.path());
    ASSERT_EQ(state.project_kind, kind_android);
    state.app_name = "B";
    const apply_result result = apply_project_changes(state);
    EXPECT_FALSE(result.run_name_changed);
    EXPECT_EQ(dir.read("res\\values\\strings.xml"),
              "<resources>\n<string name=\"app_name\">B</string>\n"
              "<string name=\"run_name\">A</string>\n</resources>\n");
}

TEST(ApplyLabel, OtherElementsStartingWithTheOldNameStay) {
    scratch_folder dir;
    dir.write("AndroidManifest.xml", kManifest);
    const std::string strings =
        "<resources>\n<string name=\"app_name\">Demo</string>\n"
        "<string name=\"title\">Demo 2</string>\n</resources>\n";
    dir.write("res\\values\\strings.xml", strings);
    project_state state = loaded(dir.path());
    state.app_name = "Game";
    apply_project_changes(state);
    EXPECT_EQ(dir.read("res\\values\\strings.xml"),
              "<resources>\n<string name=\"app_name\">Game</string>\n"
              "<string name=\"title\">Demo 2</string>\n</resources>\n");
}

TEST(ApplyLabel, NoStringFileMeansNothingIsCreated) {
    scratch_folder dir;
    dir.write("AndroidManifest.xml", kManifest);
    project_state state = loaded(dir.path());
    state.app_name = "Whatever";
    const apply_result result = apply_project_changes(state);
    EXPECT_TRUE(result.succeeded());
    EXPECT_FALSE(result.label_changed);
    EXPECT_FALSE(platform::file_exists(dir.path() + "res"));
    // strings.xml without the key and no setup.xml: strings.xml stays as it was.
    dir.write("res\\values\\strings.xml", "<resources/>\n");
    apply_project_changes(state);
    EXPECT_EQ(dir.read("res\\values\\strings.xml"), "<resources/>\n");
    EXPECT_FALSE(platform::file_exists(dir.path() + "res\\values\\setup.xml"));
}

TEST(ApplyBasicVersion, PaddedToFiveCharacters) {
    scratch_folder dir;
    dir.write("AndroidManifest.xml", kManifest);
    dir.write("res\\values\\setup.xml", setup_xml("App", "01.00", "App"));
    dir.write("res\\values\\strings.xml", strings_xml("App"));
    project_state state = loaded(dir.path());
    state.version_name = "1.1";
    apply_result result = apply_project_changes(state);
    EXPECT_TRUE(result.basic_version_changed);
    EXPECT_EQ(dir.read("res\\values\\setup.xml"), setup_xml("App", "001.1", "App"));
    EXPECT_NE(dir.read("AndroidManifest.xml").find("android:versionName=\"1.1\""),
              std::string::npos);

    state.version_name = "12.345";  // five or more characters: unchanged
    result = apply_project_changes(state);
    EXPECT_TRUE(result.basic_version_changed);
    EXPECT_EQ(dir.read("res\\values\\setup.xml"), setup_xml("App", "12.345", "App"));

    result = apply_project_changes(state);  // nothing left to do
    EXPECT_FALSE(result.basic_version_changed);
    EXPECT_EQ(result.files_rewritten, 0u);
}

TEST(ApplyBasicVersion, BasicProjectWithoutSetupXmlGetsNone) {
    scratch_folder dir;
    dir.write("AndroidManifest.xml", kManifest);
    dir.write("res\\raw\\my_program", "print 1\n");
    project_state state = loaded(dir.path());
    ASSERT_EQ(state.project_kind, kind_basic);
    state.version_name = "2.0";
    const apply_result result = apply_project_changes(state);
    EXPECT_TRUE(result.succeeded());
    EXPECT_FALSE(result.basic_version_changed);
    EXPECT_FALSE(platform::file_exists(dir.path() + "res\\values\\setup.xml"));
}

TEST(ApplyBasicVersion, SetupXmlWithoutVersionStaysAsItWas) {
    scratch_folder dir;
    dir.write("AndroidManifest.xml", kManifest);
    const std::string setup =
        "<resources><!-- BASIC! for Android -->\n"
        "<string name=\"app_name\">A</string>\n</resources>\n";
    dir.write("res\\values\\setup.xml", setup);
    project_state state = loaded(dir.path());
    state.version_name = "3.0";
    apply_project_changes(state);
    EXPECT_EQ(dir.read("res\\values\\setup.xml"), setup);
}

TEST(ApplyLabel, UnchangedNameKeepsItsFormInTheFile) {
    scratch_folder dir;
    dir.write("AndroidManifest.xml", kManifest);
    const std::string strings =
        "<resources>\n<string name=\"app_name\"><![CDATA[Tom & Jerry]]></string>\n</resources>\n";
    dir.write("res\\values\\strings.xml", strings);
    project_state state = loaded(dir.path());
    ASSERT_EQ(state.app_name, "<![CDATA[Tom & Jerry]]>");
    state.version_name = "2.0";  // something else changes; the name does not
    const apply_result result = apply_project_changes(state);
    EXPECT_TRUE(result.succeeded());
    EXPECT_FALSE(result.label_changed);
    EXPECT_EQ(result.app_name_written, state.app_name);
    EXPECT_EQ(dir.read("res\\values\\strings.xml"), strings);
}
