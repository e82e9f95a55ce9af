// The manifest's attributes and literal label as applying rewrites them.
#include <gtest/gtest.h>

#include "core/project/apply_changes.h"
#include "core/project/project_loader.h"
#include "platform/platform.h"
#include "test_support.h"

using namespace project;
using testing_support::scratch_folder;

namespace {

const std::string kManifest =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
    "<manifest xmlns:android=\"http://schemas.android.com/apk/res/android\"\r\n"
    "    package=\"com.example.app\"\r\n"
    "    android:versionCode = \"7\"\r\n"
    "    android:versionName= \"1.2\">\r\n"
    "    <uses-sdk android:minSdkVersion =\"8\" android:targetSdkVersion=\"19\" />\r\n"
    "    <uses-permission android:name=\"android.permission.INTERNET\" "
    "android:required=\"false\"></uses-permission>\r\n"
    "    <application android:label=\"Tom &amp; Jerry\" android:icon=\"@drawable/icon\">\r\n"
    "        <meta-data android:name=\"code\" android:value=\"7\" android:versionCode=\"7\" />\r\n"
    "    </application>\r\n"
    "</manifest>\r\n";

// The project record as loading leaves it for the folder.
project_state loaded(const std::string& folder) {
    project_state state;
    state.project_folder = folder;
    store_loaded(load_project_files(folder), state);
    return state;
}

std::string normalised(const std::string& text) {
    return normalise_manifest(text);
}

}  // namespace

TEST(ApplyManifest, VersionCodeChangesEverywhereAndSpacesAroundEqualsGo) {
    scratch_folder dir;
    dir.write("AndroidManifest.xml", kManifest);
    project_state state = loaded(dir.path());
    ASSERT_EQ(state.version_code, "7");
    ASSERT_EQ(state.app_name, "Tom &amp; Jerry");
    state.version_code = "8";

    const apply_result result = apply_project_changes(state);
    EXPECT_TRUE(result.succeeded()) << problems_text(result);
    EXPECT_TRUE(result.manifest_changed);
    EXPECT_FALSE(result.permissions_changed);
    EXPECT_FALSE(result.package_renamed);
    std::string expected = normalised(kManifest);
    for (std::size_t at; (at = expected.find("versionCode=\"7\"")) != std::string::npos;)
        expected.replace(at, 15, "versionCode=\"8\"");
    EXPECT_EQ(dir.read("AndroidManifest.xml"), expected);
    EXPECT_NE(expected.find("android:value=\"7\""), std::string::npos);  // other values stay
    EXPECT_NE(expected.find("\r\n"), std::string::npos);
}

TEST(ApplyManifest, MissingAttributeIsNotAdded) {
    scratch_folder dir;
    const std::string without_min =
        "<manifest package=\"a.b\" android:versionName=\"1\">\n<uses-sdk />\n</manifest>\n";
    dir.write("AndroidManifest.xml", without_min);
    project_state state = loaded(dir.path());
    state.min_sdk = "14";
    const apply_result result = apply_project_changes(state);
    EXPECT_TRUE(result.succeeded());
    EXPECT_TRUE(result.manifest_changed);  // counts as changed, though nothing could be put
    EXPECT_EQ(dir.read("AndroidManifest.xml").find("minSdkVersion"), std::string::npos);
}

TEST(ApplyManifest, FirstOccurrenceGivesTheOldValue) {
    scratch_folder dir;
    dir.write(
        "AndroidManifest.xml",
        "<manifest package=\"a.b\" android:versionName=\"1.0\">\n"
        "<x android:versionName=\"2.0\" />\n<y android:versionName=\"1.0\" />\n</manifest>\n");
    project_state state = loaded(dir.path());
    ASSERT_EQ(state.version_name, "1.0");
    state.version_name = "3.0";
    apply_project_changes(state);
    EXPECT_EQ(
        dir.read("AndroidManifest.xml"),
        "<manifest package=\"a.b\" android:versionName=\"3.0\">\n"
        "<x android:versionName=\"2.0\" />\n<y android:versionName=\"3.0\" />\n</manifest>\n");
}

TEST(ApplyManifest, SdkLevelsAndVersionNameTogether) {
    scratch_folder dir;
    dir.write("AndroidManifest.xml", kManifest);
    project_state state = loaded(dir.path());
    state.min_sdk = "9";
    state.target_sdk = "21";
    state.version_name = "1.3";
    EXPECT_TRUE(apply_project_changes(state).succeeded());
    const loaded_project back = load_project_files(dir.path());
    EXPECT_EQ(back.min_sdk, "9");
    EXPECT_EQ(back.target_sdk, "21");
    EXPECT_EQ(back.version_name, "1.3");
    EXPECT_EQ(back.version_code, "7");
    EXPECT_EQ(back.package_name, "com.example.app");
}

TEST(ApplyManifest, LiteralLabelKeepsEntitiesAndEscapesWhatXmlCannotHold) {
    scratch_folder dir;
    dir.write("AndroidManifest.xml", kManifest);
    project_state state = loaded(dir.path());
    state.app_name = "Tom &amp; Jerry & \"Co\" <3";
    const apply_result result = apply_project_changes(state);
    EXPECT_TRUE(result.succeeded());
    EXPECT_EQ(result.app_name_written, "Tom &amp; Jerry &amp; &quot;Co&quot; &lt;3");
    EXPECT_EQ(load_project_files(dir.path()).app_name, result.app_name_written);
    EXPECT_NE(dir.read("AndroidManifest.xml")
                  .find("android:label=\"Tom &amp; Jerry &amp; &quot;Co&quot; &lt;3\""),
              std::string::npos);
}

TEST(ApplyManifest, UnchangedValuesWriteNothing) {
    scratch_folder dir;
    dir.write("AndroidManifest.xml", kManifest);
    dir.write(".avlo\\bin\\old.apk", "apk");
    const project_state state = loaded(dir.path());
    const apply_result result = apply_project_changes(state);
    EXPECT_TRUE(result.succeeded());
    EXPECT_FALSE(result.manifest_changed);
    EXPECT_EQ(result.files_rewritten, 0u);
    EXPECT_EQ(dir.read("AndroidManifest.xml"), kManifest);  // not even normalised
    EXPECT_EQ(dir.read(".avlo\\bin\\old.apk"), "apk");
}

TEST(ApplyManifest, ChangedManifestDeletesTheWorkFolder) {
    scratch_folder dir;
    dir.write("AndroidManifest.xml", kManifest);
    dir.write(".avlo\\bin\\old.apk", "apk");
    project_state state = loaded(dir.path());
    state.target_sdk = "23";
    EXPECT_TRUE(apply_project_changes(state).succeeded());
    EXPECT_FALSE(platform::file_exists(dir.path() + ".avlo"));
}

TEST(ApplyManifest, MissingManifestIsReportedAndNothingWritten) {
    scratch_folder dir;
    project_state state;
    state.project_folder = dir.path();
    state.app_name = "X";
    const apply_result result = apply_project_changes(state);
    ASSERT_EQ(result.problems.size(), 1u);
    EXPECT_EQ(result.problems[0].kind, apply_problem_kind::unreadable);
    EXPECT_EQ(result.problems[0].path, dir.path() + "AndroidManifest.xml");
    EXPECT_FALSE(platform::file_exists(dir.path() + "AndroidManifest.xml"));
    EXPECT_NE(problems_text(result).find("AndroidManifest.xml"), std::string::npos);
}

TEST(XmlEscaped, OnlyWhatBreaksTheFile) {
    EXPECT_EQ(xml_escaped("plain text", true), "plain text");
    EXPECT_EQ(xml_escaped("a & b", false), "a &amp; b");
    EXPECT_EQ(xml_escaped("&amp;&lt;&#38;&#x26;&eacute;", true), "&amp;&lt;&#38;&#x26;&eacute;");
    EXPECT_EQ(xml_escaped("&#;&#x;&1a;&", true), "&amp;#;&amp;#x;&amp;1a;&amp;");
    EXPECT_EQ(xml_escaped("say \"hi\" <b>", true), "say &quot;hi&quot; &lt;b>");
    EXPECT_EQ(xml_escaped("say \"hi\"", false), "say \"hi\"");
    EXPECT_EQ(xml_escaped("caf\xC3\xA9", true), "caf\xC3\xA9");
}

TEST(ApplyManifest, UnchangedValuesKeepTheirFormEvenWhenXmlWouldEscapeThem) {
    scratch_folder dir;
    const std::string odd =
        "<manifest package=\"a.b\" android:versionName=\"1 & 2\">\n"
        "<application android:label=\"R&D <beta>\" />\n</manifest>\n";
    dir.write("AndroidManifest.xml", odd);
    project_state state = loaded(dir.path());
    ASSERT_EQ(state.app_name, "R&D <beta>");
    state.version_code = "5";  // missing attribute: counts as a change, nothing else moves
    const apply_result result = apply_project_changes(state);
    EXPECT_TRUE(result.succeeded());
    EXPECT_EQ(result.app_name_written, "R&D <beta>");
    EXPECT_EQ(dir.read("AndroidManifest.xml"), odd);
}
