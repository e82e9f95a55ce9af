// The manifest's attributes and literal label as Apply writes them: each value in its own place.
#include <gtest/gtest.h>

#include "apply_support.h"
#include "core/project/apply_changes.h"
#include "core/project/apply_report.h"
#include "core/project/project_loader.h"
#include "core/shell/main_window_model.h"
#include "platform/platform.h"
#include "test_support.h"

using namespace project;
using testing_support::apply_edits;
using testing_support::loaded_record;
using testing_support::scratch_folder;

namespace {

const std::string kManifest =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
    "<!-- versions: android:versionCode = \"7\" -->\r\n"
    "<manifest xmlns:android=\"http://schemas.android.com/apk/res/android\"\r\n"
    "    package=\"com.example.app\"\r\n"
    "    android:versionCode = \"7\"\r\n"
    "    android:versionName= \"1.2\">\r\n"
    "    <uses-sdk android:minSdkVersion =\"8\" android:targetSdkVersion='19' />\r\n"
    "    <uses-permission android:name=\"android.permission.INTERNET\" "
    "android:required=\"false\"></uses-permission>\r\n"
    "    <application android:label=\"Tom &amp; Jerry\" android:icon=\"@drawable/icon\">\r\n"
    "        <meta-data android:name=\"a = b\" android:value=\"7\" android:versionCode=\"7\" />\r\n"
    "    </application>\r\n"
    "</manifest>\r\n";

// The one stretch in which two texts differ, as [begin, end) of each.
struct difference {
    std::size_t begin, old_end, new_end;
};
difference differing_stretch(const std::string& a, const std::string& b) {
    std::size_t begin = 0;
    while (begin < a.size() && begin < b.size() && a[begin] == b[begin]) ++begin;
    std::size_t tail = 0;
    while (tail < a.size() - begin && tail < b.size() - begin &&
           a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;
    return {begin, a.size() - tail, b.size() - tail};
}

std::string project_state::*const kValues[] = {
    &project_state::package_name, &project_state::version_name, &project_state::version_code,
    &project_state::min_sdk,      &project_state::target_sdk,   &project_state::app_name};

}  // namespace

TEST(ApplyManifest, OneValueChangesInItsPlaceAndEveryOtherByteStays) {
    scratch_folder dir;
    dir.write("AndroidManifest.xml", kManifest);
    const project_state before = loaded_record(dir.path());
    ASSERT_EQ(before.version_code, "7");
    ASSERT_EQ(before.target_sdk, "19");
    ASSERT_EQ(before.app_name, "Tom & Jerry");
    project_state edited = before;
    edited.version_code = "8";
    const apply_result result = apply_edits(before, edited);
    EXPECT_TRUE(result.succeeded()) << problems_text(result);
    EXPECT_TRUE(result.applied.version_code);
    EXPECT_FALSE(result.applied.app_name);
    std::string expected = kManifest;
    expected.replace(expected.find("android:versionCode = \"7\"\r\n    android:versionName"), 25,
                     "android:versionCode = \"8\"");
    EXPECT_EQ(dir.read("AndroidManifest.xml"), expected);  // the comment and meta-data keep "7"
}

TEST(ApplyManifest, TypedValuesRoundTripAndCannotReachAnotherAttribute) {
    // Markers of other attributes, quotes, "=" with spaces, and text XML must escape.
    const std::string typed[] = {
        "n android:label=",
        "2\" android:versionName=\"9",
        " = ",
        "Caf\xC3\xA9 & \xE9\xA1\xB9\xE7\x9B\xAE <1>",
        "&amp; <b>x</b> 'q' \"dq\"",
        "package=\"evil\"",
        // A literal name that would read as a reference, and Android's own escapes.
        "@string/app_name",
        "?attr/x",
        "back\\slash \\n \\u0041",
    };
    for (std::string project_state::*field : kValues) {
        for (const std::string& value : typed) {
            scratch_folder dir;
            dir.write("AndroidManifest.xml", kManifest);
            const project_state before = loaded_record(dir.path());
            project_state edited = before;
            edited.*field = value;
            if (field == &project_state::package_name) edited.package_name = "com.example.ok";
            const apply_result result = apply_edits(before, edited);
            EXPECT_TRUE(result.succeeded()) << problems_text(result);
            const project_state after = loaded_record(dir.path());
            for (std::string project_state::*other : kValues)
                EXPECT_EQ(after.*other, edited.*other) << value;
            // Everything that changed stands inside one quoted value.
            const std::string written = dir.read("AndroidManifest.xml");
            const difference d = differing_stretch(kManifest, written);
            EXPECT_EQ(kManifest.substr(d.begin, d.old_end - d.begin).find_first_of("\"'<>"),
                      std::string::npos)
                << written;
            EXPECT_EQ(written.substr(d.begin, d.new_end - d.begin).find_first_of("<>"),
                      std::string::npos)
                << written;
            // Applying the same again finds nothing to do.
            EXPECT_FALSE(apply_edits(after, after).manifest_changed);
            EXPECT_EQ(dir.read("AndroidManifest.xml"), written);
        }
    }
}

TEST(ApplyManifest, MarkerTypedIntoTheVersionCodeKeepsTheVersionName) {
    scratch_folder dir;
    const std::string manifest = testing_support::regression("apply-marker-versionname.xml");
    dir.write("AndroidManifest.xml", manifest);
    const project_state before = loaded_record(dir.path());
    ASSERT_EQ(before.version_name, "2.1");
    project_state edited = before;
    edited.version_code = "n android:versionName=";
    edited.app_name = "x package=\"y\"";
    apply_edits(before, edited);
    const project_state after = loaded_record(dir.path());
    EXPECT_EQ(after.version_name, "2.1");
    EXPECT_EQ(after.package_name, "com.example.notes");
    EXPECT_EQ(after.version_code, edited.version_code);
}

TEST(ApplyManifest, LongValuesAreReadWholeAndStayWhenOthersChange) {
    scratch_folder dir;
    const std::string manifest =
        "<manifest package=\"com.example.app\" android:versionCode=\"1\"\n"
        "    android:versionName=\"1.92.0-alpha01-nightly\">\n"
        "<uses-sdk android:minSdkVersion=\"100\" android:targetSdkVersion=\"1000\"/>\n"
        "<application android:label=\"@string/app_name\"/>\n</manifest>\n";
    const std::string setup =
        "<resources><!-- BASIC! for Android -->\n"
        "<string name=\"app_name\">A name much longer than the two hundred and fifty-nine "
        "characters that the edit boxes of old could hold, which is a lot of characters for the "
        "name of an app but not impossible when it carries a long subtitle in several languages "
        "and a version number in the name itself too, v1.92.0-alpha01-nightly</string>\n"
        "<string name=\"version\">1.92.0-alpha01-nightly</string>\n</resources>\n";
    dir.write("AndroidManifest.xml", manifest);
    dir.write("res\\values\\setup.xml", setup);
    const project_state before = loaded_record(dir.path());
    EXPECT_EQ(before.version_name, "1.92.0-alpha01-nightly");
    EXPECT_EQ(before.min_sdk, "100");
    EXPECT_EQ(before.target_sdk, "1000");
    EXPECT_GT(before.app_name.size(), 259u);
    project_state edited = before;
    edited.version_code = "2";
    EXPECT_TRUE(apply_edits(before, edited).succeeded());
    std::string expected = manifest;
    expected.replace(expected.find("versionCode=\"1\""), 15, "versionCode=\"2\"");
    EXPECT_EQ(dir.read("AndroidManifest.xml"), expected);
    EXPECT_EQ(dir.read("res\\values\\setup.xml"), setup);
}

TEST(ApplyManifest, MissingAttributeGoesOnItsElementOrIsReportedUnwritten) {
    scratch_folder dir;
    dir.write("AndroidManifest.xml",
              "<manifest package=\"a.b\" android:versionName=\"1\">\n<uses-sdk />\n</manifest>\n");
    project_state before = loaded_record(dir.path());
    project_state edited = before;
    edited.min_sdk = "14";
    edited.version_code = "3";
    apply_result result = apply_edits(before, edited);
    EXPECT_TRUE(result.succeeded()) << problems_text(result);
    EXPECT_EQ(dir.read("AndroidManifest.xml"),
              "<manifest package=\"a.b\" android:versionName=\"1\" android:versionCode=\"3\">\n"
              "<uses-sdk android:minSdkVersion=\"14\" />\n</manifest>\n");

    // No <application>: a literal label has no place, and the report does not claim it.
    before = loaded_record(dir.path());
    edited = before;
    edited.app_name = "Named";
    result = apply_edits(before, edited);
    EXPECT_FALSE(result.applied.app_name);
    ASSERT_EQ(result.problems.size(), 1u);
    EXPECT_EQ(result.problems[0].kind, apply_problem_kind::missing_place);
    EXPECT_TRUE(shell::change_lines(result.applied).empty());
}

TEST(ApplyManifest, UnchangedValuesWriteNothing) {
    scratch_folder dir;
    dir.write("AndroidManifest.xml", kManifest);
    dir.write(".avlo\\bin\\old.apk", "apk");
    const project_state state = loaded_record(dir.path());
    const apply_result result = apply_edits(state, state);
    EXPECT_TRUE(result.succeeded());
    EXPECT_FALSE(result.manifest_changed);
    EXPECT_TRUE(result.changed_files.empty());
    EXPECT_EQ(dir.read("AndroidManifest.xml"), kManifest);
    EXPECT_EQ(dir.read(".avlo\\bin\\old.apk"), "apk");
}

TEST(ApplyManifest, ChangedManifestDeletesTheWorkFolder) {
    scratch_folder dir;
    dir.write("AndroidManifest.xml", kManifest);
    dir.write(".avlo\\bin\\old.apk", "apk");
    const project_state before = loaded_record(dir.path());
    project_state edited = before;
    edited.target_sdk = "23";
    EXPECT_TRUE(apply_edits(before, edited).succeeded());
    EXPECT_FALSE(platform::file_exists(dir.path() + ".avlo"));
    EXPECT_NE(dir.read("AndroidManifest.xml").find("android:targetSdkVersion='23'"),
              std::string::npos);
}

TEST(ApplyManifest, MissingManifestIsReportedAndNothingWritten) {
    scratch_folder dir;
    project_state state;
    state.project_folder = dir.path();
    state.app_name = "X";
    property_changes changes;
    changes.app_name = true;
    const apply_result result = apply_project_changes(state, changes);
    ASSERT_EQ(result.problems.size(), 1u);
    EXPECT_EQ(result.problems[0].kind, apply_problem_kind::unreadable);
    EXPECT_FALSE(platform::file_exists(dir.path() + "AndroidManifest.xml"));
    EXPECT_NE(problems_text(result).find("AndroidManifest.xml"), std::string::npos);
}

TEST(ApplyManifest, AddedAttributeNeverChangesHowTheTagReads) {
    // After an unquoted "a=" the new attribute would have become a's value.
    scratch_folder dir;
    const std::string manifest =
        "<manifest xmlns:android=/>\"x\"\n<manifest package=\"com.example.notes\">\n</manifest>\n";
    dir.write("AndroidManifest.xml", manifest);
    const project_state before = loaded_record(dir.path());
    ASSERT_EQ(before.package_name, "");
    project_state edited = before;
    edited.version_code = "3";
    EXPECT_TRUE(apply_edits(before, edited).succeeded());
    const project_state after = loaded_record(dir.path());
    EXPECT_EQ(after.version_code, "3");
    EXPECT_EQ(after.package_name, "");
    EXPECT_EQ(dir.read("AndroidManifest.xml"),
              "<manifest android:versionCode=\"3\" xmlns:android=/>\"x\"\n"
              "<manifest package=\"com.example.notes\">\n</manifest>\n");
}
