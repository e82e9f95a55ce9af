// The app name in the string resources and BASIC!'s settings as applying rewrites them.
#include <gtest/gtest.h>

#include "apply_support.h"
#include "core/project/apply_changes.h"
#include "core/project/apply_report.h"
#include "core/project/project_loader.h"
#include "core/shell/main_window_model.h"
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
    return testing_support::loaded_record(folder);
}

// Applies the record against the files as they are loaded now.
apply_result apply_project_changes(const project_state& edited) {
    return testing_support::apply_edits(loaded(edited.project_folder), edited);
}

}  // namespace

TEST(ApplyLabel, NameInStringsXml) {
    scratch_folder dir;
    dir.write("AndroidManifest.xml", kManifest);
    dir.write("res\\values\\strings.xml", strings_xml("Old Name"));
    project_state state = loaded(dir.path());
    ASSERT_EQ(state.project_kind, kind::android);
    ASSERT_EQ(state.app_name, "Old Name");
    state.app_name = "New Name";
    const apply_result result = apply_project_changes(state);
    EXPECT_TRUE(result.succeeded());
    EXPECT_TRUE(result.applied.app_name);
    EXPECT_FALSE(result.manifest_changed);
    EXPECT_EQ(dir.read("res\\values\\strings.xml"), strings_xml("New Name"));
    EXPECT_EQ(dir.read("AndroidManifest.xml"), kManifest);
    EXPECT_FALSE(platform::file_exists(dir.path() + "res\\values\\setup.xml"));
}

TEST(ApplyLabel, NameInAnotherValuesFileIsFoundAndWrittenThere) {
    scratch_folder dir;
    dir.write("AndroidManifest.xml", kManifest);
    dir.write("res\\values\\strings.xml",
              "<resources><string name=\"hello\">Hi</string></resources>");
    dir.write("res\\values\\b_names.xml", strings_xml("Second"));
    dir.write("res\\values\\a_names.xml", strings_xml("First"));
    dir.write("res\\values\\z.txt", strings_xml("Not a values file"));
    project_state state = loaded(dir.path());
    ASSERT_EQ(state.app_name, "First");
    state.app_name = "Renamed";
    const apply_result result = apply_project_changes(state);
    EXPECT_TRUE(result.succeeded()) << problems_text(result);
    EXPECT_EQ(dir.read("res\\values\\a_names.xml"), strings_xml("Renamed"));
    EXPECT_EQ(dir.read("res\\values\\b_names.xml"), strings_xml("Second"));
    EXPECT_EQ(loaded(dir.path()).app_name, "Renamed");
}

TEST(ApplyLabel, NameInSetupXmlWithRunNameForBasicProjects) {
    scratch_folder dir;
    dir.write("AndroidManifest.xml", kManifest);
    dir.write("res\\values\\strings.xml", "<resources>\n</resources>\n");
    dir.write("res\\values\\setup.xml", setup_xml("Old", "001.0", "Old"));
    project_state state = loaded(dir.path());
    ASSERT_EQ(state.project_kind, kind::basic);
    ASSERT_EQ(state.app_name, "Old");
    state.app_name = "Fish & Chips";
    const apply_result result = apply_project_changes(state);
    EXPECT_TRUE(result.succeeded());
    EXPECT_TRUE(result.applied.app_name);
    EXPECT_EQ(dir.read("res\\values\\setup.xml"),
              setup_xml("Fish &amp; Chips", "001.0", "Fish &amp; Chips"));
    EXPECT_EQ(dir.read("res\\values\\strings.xml"), "<resources>\n</resources>\n");
    EXPECT_EQ(load_project_files(dir.path()).app_name, "Fish & Chips");
}

TEST(ApplyLabel, RunNameOnlyBesideTheLabelString) {
    scratch_folder dir;
    dir.write("AndroidManifest.xml", kManifest);
    dir.write("res\\values\\strings.xml", strings_xml("Old"));
    dir.write("res\\values\\setup.xml", setup_xml("Setup", "001.0", "Runner"));
    dir.write("res\\raw\\my_program.bas", "print 1\n");
    project_state state = loaded(dir.path());
    ASSERT_EQ(state.project_kind, kind::basic);
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
    ASSERT_EQ(state.project_kind, kind::android);
    state.app_name = "B";
    const apply_result result = apply_project_changes(state);
    EXPECT_TRUE(result.applied.app_name);
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
    EXPECT_FALSE(result.applied.app_name);
    ASSERT_EQ(result.problems.size(), 1u);
    EXPECT_EQ(result.problems[0].kind, apply_problem_kind::missing_place);
    EXPECT_EQ(result.problems[0].path, "@string/app_name");
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
    EXPECT_TRUE(result.applied.version_name);
    EXPECT_EQ(dir.read("res\\values\\setup.xml"), setup_xml("App", "001.1", "App"));
    EXPECT_NE(dir.read("AndroidManifest.xml").find("android:versionName=\"1.1\""),
              std::string::npos);

    state.version_name = "12.345";  // five or more characters: unchanged
    result = apply_project_changes(state);
    EXPECT_TRUE(result.applied.version_name);
    EXPECT_EQ(dir.read("res\\values\\setup.xml"), setup_xml("App", "12.345", "App"));

    property_changes again;
    again.version_name = true;  // asked again: the files say it already
    result = project::apply_project_changes(state, again);
    EXPECT_TRUE(result.applied.version_name);
    EXPECT_TRUE(result.changed_files.empty());
}

TEST(ApplyBasicVersion, BasicProjectWithoutSetupXmlGetsNone) {
    scratch_folder dir;
    dir.write("AndroidManifest.xml", kManifest);
    dir.write("res\\raw\\my_program", "print 1\n");
    project_state state = loaded(dir.path());
    ASSERT_EQ(state.project_kind, kind::basic);
    state.version_name = "2.0";
    const apply_result result = apply_project_changes(state);
    EXPECT_TRUE(result.succeeded());
    EXPECT_TRUE(result.applied.version_name);  // in the manifest
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
    ASSERT_EQ(state.app_name, "Tom & Jerry");
    state.version_name = "2.0";  // something else changes; the name does not
    const apply_result result = apply_project_changes(state);
    EXPECT_TRUE(result.succeeded());
    EXPECT_FALSE(result.applied.app_name);
    EXPECT_EQ(dir.read("res\\values\\strings.xml"), strings);
}

TEST(ApplyLabel, NamesRoundTripAsAndroidShowsThem) {
    struct row {
        const char* typed;
        const char* written;
    };
    const row rows[] = {
        {"Caf\xC3\xA9 & \xE9\xA1\xB9\xE7\x9B\xAE <1>",
         "Caf\xC3\xA9 &amp; \xE9\xA1\xB9\xE7\x9B\xAE &lt;1&gt;"},
        {"Tom's \"Game\"", "Tom\\'s \\\"Game\\\""},
        {"@home", "\\@home"},
        {"back\\slash", "back\\\\slash"},
        {"&amp;", "&amp;amp;"},
    };
    for (const row& r : rows) {
        scratch_folder dir;
        dir.write("AndroidManifest.xml", kManifest);
        dir.write("res\\values\\strings.xml", strings_xml("Old"));
        project_state state = loaded(dir.path());
        state.app_name = r.typed;
        EXPECT_TRUE(apply_project_changes(state).succeeded());
        EXPECT_EQ(dir.read("res\\values\\strings.xml"), strings_xml(r.written));
        EXPECT_EQ(loaded(dir.path()).app_name, r.typed);
        // Applying again leaves the file as it is: nothing grows.
        EXPECT_TRUE(apply_project_changes(state).changed_files.empty());
        EXPECT_EQ(dir.read("res\\values\\strings.xml"), strings_xml(r.written));
    }
}

TEST(ApplyLabel, KeysMatchInTheirExactCaseInLoadAndApply) {
    const std::string manifest =
        "<manifest package=\"a.b\"><application android:label=\"@string/appName\"/></manifest>";
    // The key in strings.xml, a setup.xml beside it: loading once looked there and found nothing.
    scratch_folder dir;
    dir.write("AndroidManifest.xml", manifest);
    dir.write("res\\values\\strings.xml",
              "<resources><string name=\"appName\">Mine</string></resources>");
    dir.write("res\\values\\setup.xml",
              "<resources><string name=\"appname\">Other</string></resources>");
    project_state state = loaded(dir.path());
    EXPECT_EQ(state.app_name, "Mine");
    state.app_name = "Renamed";
    apply_result result = apply_project_changes(state);
    EXPECT_TRUE(result.applied.app_name);
    EXPECT_EQ(dir.read("res\\values\\strings.xml"),
              "<resources><string name=\"appName\">Renamed</string></resources>");
    EXPECT_EQ(dir.read("res\\values\\setup.xml"),
              "<resources><string name=\"appname\">Other</string></resources>");

    // Only another case in the files: no name, and Apply says it wrote none.
    scratch_folder other;
    other.write("AndroidManifest.xml", manifest);
    other.write("res\\values\\strings.xml",
                "<resources><string name=\"appname\">X</string></resources>");
    state = loaded(other.path());
    EXPECT_EQ(state.app_name, "");
    state.app_name = "Typed";
    result = apply_project_changes(state);
    EXPECT_FALSE(result.applied.app_name);
    EXPECT_TRUE(shell::change_lines(result.applied).empty());
    EXPECT_NE(problems_text(result).find("@string/appName"), std::string::npos);
    EXPECT_EQ(other.read("res\\values\\strings.xml"),
              "<resources><string name=\"appname\">X</string></resources>");
}
